#pragma once

#include "core/host/hostservices.h"
#include "support/nullpane.h"

#include <QList>

#include <functional>
#include <stdexcept>
#include <utility>

// A browser pane that shows a scripted document: its markup, its links, and what a click on a
// link does. Records stops and clicks; a pane that fails answers every script call with an error.
class FakePane : public NullPane {
public:
    void stop() override { ++stops; }
    void cancelScriptCalls() override { std::exchange(m_calls, StopToken::Create()).request(); }

    QCoro::Task<MarkupResult> bodyOuterHtml() override {
        if (throwOnRead) {
            throw std::runtime_error("the document went away");
        }
        if (hangOnRead) {
            co_await PumpDelay(600000, m_calls);
            co_return MarkupResult{QString(), QStringLiteral("cancelled")};
        }
        co_return readable ? MarkupResult{markup, QString()} : MarkupResult{QString(), QStringLiteral("no document")};
    }
    QCoro::Task<PaneResult<QByteArray>> readResultCards() override {
        if (answerLater) {
            co_await PumpDelay(0, m_calls);
        }
        co_return readable ? PaneResult<QByteArray>{cards, QString()}
                           : PaneResult<QByteArray>{{}, QStringLiteral("no document")};
    }
    QString locationUrl() const override { return address; }
    void navigate(const QString &to) override { navigations.append(to); }
    QCoro::Task<PaneResult<int>> linkCount() override {
        co_return PaneResult<int>{static_cast<int>(links.size()), failure};
    }
    QCoro::Task<PaneResult<std::optional<LinkInfo>>> link(int index) override {
        if (answerLater) {
            co_await PumpDelay(0, m_calls);
        }
        if (onLinkRead) {
            onLinkRead(index);
        }
        if (index < 0 || index >= links.size()) {
            co_return PaneResult<std::optional<LinkInfo>>{std::nullopt, failure};
        }
        co_return PaneResult<std::optional<LinkInfo>>{links.at(index), failure};
    }
    QCoro::Task<PaneResult<bool>> clickLink(int index) override {
        clicks.append(index);
        if (onClick) {
            onClick(index);
        }
        co_return PaneResult<bool>{true, failure};
    }

    QString markup;
    bool readable = true;
    bool throwOnRead = false;
    bool hangOnRead = false;  // a read that answers only when cancelled
    QString failure;          // the error of every link call; empty: the pane works
    bool answerLater = false; // link reads and card reads answer on a later turn of the event loop
    QString address;          // the address the pane shows
    QByteArray cards;         // what the card reader answers
    QStringList navigations;
    std::function<void(int index)> onLinkRead;
    QList<LinkInfo> links;
    QList<int> clicks;
    int stops = 0;
    std::function<void(int index)> onClick;

private:
    StopToken m_calls = StopToken::Create();
};
