#include "core/extraction/pagelayout.h"

PageLayout DetectLayout(QStringView markup) {
    const auto has = [markup](QStringView marker) {
        return markup.contains(marker, Qt::CaseInsensitive);
    };
    if (!has(u"nav-footer")) {
        return PageLayout::None;
    }
    if (has(u"id=results-summary>")) {
        return PageLayout::Second;
    }
    if (has(u"results_count")) {
        return PageLayout::First;
    }
    return PageLayout::None;
}

QStringView NextPageMarker(PageLayout layout) {
    switch (layout) {
    case PageLayout::First:
        return u"&gt;</a>";
    case PageLayout::Second:
        return u"&nbsp;\u00bb";
    case PageLayout::Cards: // its next page is a button, not a marker of the markup
    case PageLayout::None:
        break;
    }
    return {};
}

bool HasNextPageMarker(QStringView markup, PageLayout layout) {
    const QStringView marker = NextPageMarker(layout);
    return !marker.isEmpty() && markup.contains(marker, Qt::CaseInsensitive);
}
