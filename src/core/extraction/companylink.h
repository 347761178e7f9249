#pragma once

#include <QString>

struct Endpoints;

// The company link of a result entry from the path its anchor names. A path that is already an
// absolute http or https address is used as it is.

// First layout: a path holding the LinkedIn site's host name is used as it is; any other path
// follows the site's https address.
QString CompanyLink1(const QString &path, const Endpoints &endpoints);
// Second layout: a path holding the site's http address is used as it is; any other path
// follows that http address.
QString CompanyLink2(const QString &path, const Endpoints &endpoints);
