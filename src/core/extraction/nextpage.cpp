#include "core/extraction/nextpage.h"

#include "core/browser/browserpane.h"
#include "core/host/hostservices.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcNextPage, "tarnwick.extraction.nextpage", QtInfoMsg)

bool IsNextPageLink(const LinkInfo &link, const QString &parsedMarkup) {
    const QString &text = link.innerHtml;
    if (!text.contains(u"&gt;") && !text.contains(u"\u00bb")) {
        return false;
    }
    if (!link.href.contains(u"page_num=")) {
        return false;
    }
    if (text.contains(u"View") || text.contains(u"Ads") || text.contains(u"Gruppi")) {
        return false;
    }
    if (link.href.contains(u"Groups")) {
        return false;
    }
    return parsedMarkup.contains(text);
}

bool MoveNextPage(BrowserPane &pane, Host &host, const QString &SuperParseHTML, int pauseMs) {
    const int count = pane.linkCount();
    qCDebug(lcNextPage) << "anchors:" << count;
    for (int index = 0; index < count; ++index) {
        // An anchor that went away since the count was taken is passed over.
        const std::optional<LinkInfo> link = pane.link(index);
        if (!link || !IsNextPageLink(*link, SuperParseHTML)) {
            continue;
        }
        qCDebug(lcNextPage) << "clicking anchor" << index << link->href;
        // A click that loads nothing still counts: the next tick reads the same page again.
        pane.clickLink(index);
        PumpDelay(host, pauseMs);
        return true;
    }
    return false;
}
