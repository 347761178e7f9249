#pragma once

#include <QString>

class BrowserPane;
class Host;
struct LinkInfo;

// The pause after a next-page click, in which the pane loads the new page.
inline constexpr int NextPagePauseMs = 3000;

// True when an anchor is the page's link to its next result page: its text holds "&gt;" or "»",
// its address "page_num=", its text none of "View", "Ads" and "Gruppi", its address no
// "Groups", and its text occurs in the markup the page was parsed from (a link that a script
// added later does not). Exact-case substring tests, in that order.
bool IsNextPageLink(const LinkInfo &link, const QString &parsedMarkup);

// Clicks the first anchor of the pane's document that is a next-page link, reading every anchor
// afresh, then waits pauseMs while the window stays responsive. True when it clicked.
bool MoveNextPage(BrowserPane &pane, Host &host, const QString &SuperParseHTML, int pauseMs = NextPagePauseMs);
