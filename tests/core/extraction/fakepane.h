#pragma once

#include "core/browser/browserpane.h"

#include <QList>

#include <functional>
#include <stdexcept>

// A browser pane that shows a scripted document: its markup, its links, and what a click on a
// link does. Records stops and clicks.
class FakePane : public BrowserPane {
public:
    void navigate(const QString &) override {}
    void stop() override { ++stops; }
    bool goBack() override { return false; }
    bool goForward() override { return false; }
    bool refresh() override { return false; }
    bool isBusy() const override { return false; }
    QString locationUrl() const override { return {}; }

    MarkupResult bodyOuterHtml() override {
        if (throwOnRead) {
            throw std::runtime_error("the document went away");
        }
        return readable ? MarkupResult{markup, QString()} : MarkupResult{QString(), QStringLiteral("no document")};
    }
    int linkCount() override { return static_cast<int>(links.size()); }
    std::optional<LinkInfo> link(int index) override {
        if (index < 0 || index >= links.size()) {
            return std::nullopt;
        }
        return links.at(index);
    }
    bool clickLink(int index) override {
        clicks.append(index);
        if (onClick) {
            onClick(index);
        }
        return true;
    }
    void setProxy(const QString &, const QString &, const QString &, const QString &, int) override {}
    void clearBrowserProxy() override {}

    QString markup;
    bool readable = true;
    bool throwOnRead = false;
    QList<LinkInfo> links;
    QList<int> clicks;
    int stops = 0;
    std::function<void(int index)> onClick;
};
