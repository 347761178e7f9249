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

QCoro::Task<NextPageOutcome> MoveNextPage(BrowserPane &pane, QString SuperParseHTML, int pauseMs, StopToken cancel,
                                          StopToken runStop, std::function<void()> clicked) {
    using Kind = NextPageOutcome::Kind;
    const PaneResult<int> count = co_await pane.linkCount();
    if (runStop.requested()) {
        co_return NextPageOutcome{Kind::Stopped, {}};
    }
    if (!count.ok()) {
        co_return NextPageOutcome{Kind::PaneFailed, count.error};
    }
    qCDebug(lcNextPage) << "anchors:" << count.value;
    for (int index = 0; index < count.value; ++index) {
        const PaneResult<std::optional<LinkInfo>> link = co_await pane.link(index);
        // Each read is a wait in which the user may press Stop; nothing is clicked after it.
        if (runStop.requested()) {
            co_return NextPageOutcome{Kind::Stopped, {}};
        }
        if (!link.ok()) {
            co_return NextPageOutcome{Kind::PaneFailed, link.error};
        }
        // An anchor that went away since the count was taken is passed over.
        if (!link.value || !IsNextPageLink(*link.value, SuperParseHTML)) {
            continue;
        }
        qCDebug(lcNextPage) << "clicking anchor" << index << link.value->href;
        // A click that loads nothing still counts: the next tick reads the same page again.
        const PaneResult<bool> click = co_await pane.clickLink(index);
        if (!click.ok()) {
            co_return NextPageOutcome{Kind::PaneFailed, click.error};
        }
        if (clicked) {
            clicked();
        }
        co_await PumpDelay(pauseMs, cancel);
        co_return NextPageOutcome{Kind::Clicked, {}};
    }
    co_return NextPageOutcome{Kind::NoLink, {}};
}
