#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <functional>

class BrowserPane;
struct LinkInfo;

// The pause after a next-page click, in which the pane loads the new page.
inline constexpr int NextPagePauseMs = 3000;

// True when an anchor is the page's link to its next result page: its text holds "&gt;" or "»",
// its address "page_num=", its text none of "View", "Ads" and "Gruppi", its address no
// "Groups", and its text occurs in the markup the page was parsed from (a link that a script
// added later does not). Exact-case substring tests, in that order.
bool IsNextPageLink(const LinkInfo &link, const QString &parsedMarkup);

// How the step to the next page ended: a link was clicked (and the pause has passed), the page
// has no next-page link, or the pane failed while its links were read, which says nothing about
// whether pages remain.
struct NextPageOutcome {
    enum class Kind { Clicked, NoLink, PaneFailed, Stopped };
    Kind kind = Kind::NoLink;
    QString error;
};

// Clicks the first anchor of the pane's document that is a next-page link, reading every anchor
// afresh, then waits pauseMs while the event loop runs on. cancel ends the pause early (the
// window closes); Stop does not: the new page goes on loading. A stop of the run (runStop)
// before the click ends the step as Stopped, and no link is clicked. clicked, when given, hears
// of the click before the pause begins.
QCoro::Task<NextPageOutcome> MoveNextPage(BrowserPane &pane, QString SuperParseHTML, int pauseMs = NextPagePauseMs,
                                          StopToken cancel = {}, StopToken runStop = {},
                                          std::function<void()> clicked = {});
