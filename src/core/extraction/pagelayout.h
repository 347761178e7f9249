#pragma once

#include <QString>
#include <QStringView>

// The layouts of a company result page. The first two are told apart by markers of the page
// markup; today's (Cards) draws its results by script and is told by the pane's address.
enum class PageLayout { None = 0, First = 1, Second = 2, Cards = 3 };

// The layout of a page, markers compared ignoring letter case: the first layout carries
// "results_count" and "nav-footer", the second "id=results-summary>" and "nav-footer". A page
// with the markers of both counts as the second layout.
PageLayout DetectLayout(QStringView markup);

// The text that shows a layout's page has a next page: "&gt;</a>" or "&nbsp;»".
QStringView NextPageMarker(PageLayout layout);
// True when the markup carries the layout's next-page marker, letter case ignored.
bool HasNextPageMarker(QStringView markup, PageLayout layout);
