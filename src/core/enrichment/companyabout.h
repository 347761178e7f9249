#pragma once

#include <QString>

struct LeadRow;

// Rules shared by the readers of a company's "about" entries, public or signed in.

// A link as LinkedIn wraps outside addresses: "/redir/redirect?url=<percent-encoded address>" on
// any host gives the decoded, trimmed address; any other link, or a wrapper without a url
// parameter, is given back as it is.
QString UnwrapRedirect(const QString &href);

// A headquarters line "City, State": FullAddress is the whole line, City the text before the
// first comma and State the rest, each trimmed; Country stays empty. An empty line fills nothing.
// True when a cell was filled.
bool ReadHeadquartersLine(const QString &line, LeadRow &row);
