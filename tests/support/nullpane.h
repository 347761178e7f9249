#pragma once

#include "core/browser/browserpane.h"

// A browser pane without a document: navigation does nothing, every read fails at once, and
// proxy changes are dropped. Test panes take what they need from it.
class NullPane : public BrowserPane {
public:
    void navigate(const QString &) override {}
    void stop() override {}
    bool goBack() override { return false; }
    bool goForward() override { return false; }
    bool refresh() override { return false; }
    bool isBusy() const override { return false; }
    QString locationUrl() const override { return {}; }
    QCoro::Task<MarkupResult> bodyOuterHtml() override { co_return MarkupResult{{}, QStringLiteral("no document")}; }
    QCoro::Task<PaneResult<QByteArray>> readResultCards() override {
        co_return PaneResult<QByteArray>{{}, QStringLiteral("no document")};
    }
    QCoro::Task<PaneResult<int>> linkCount() override { co_return PaneResult<int>{0, QStringLiteral("no document")}; }
    QCoro::Task<PaneResult<std::optional<LinkInfo>>> link(int) override {
        co_return PaneResult<std::optional<LinkInfo>>{std::nullopt, QStringLiteral("no document")};
    }
    QCoro::Task<PaneResult<bool>> clickLink(int) override {
        co_return PaneResult<bool>{false, QStringLiteral("no document")};
    }
    void cancelScriptCalls() override {}
    void setProxy(const QString &, const QString &, const QString &, const QString &, int) override {}
    void clearBrowserProxy() override {}
};
