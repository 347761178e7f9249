#pragma once

#include <QString>

// The body of an HTML page as the browser pane's reader serialises it: element names in upper
// case, simple values of HTML 4 attributes unquoted, every other value double-quoted, and "&",
// "<", ">" and U+00A0 in text as entities. Enough for the well-formed pages of the sample site:
// no scripts, no implied elements, no ">" inside attribute values.
QString LegacyBodyMarkup(const QString &html);
