#pragma once

#include "core/net/fetcher.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// A fetcher that answers from a table of addresses and records every call, so the order and
// the number of fetches a page costs can be checked without a network.
class ScriptedFetcher : public Fetcher {
public:
    struct Call {
        bool direct;
        QString url;
    };

    bool DownloadURL(const QString &AURL, QString &ASource, bool) override { return answer(false, AURL, ASource); }
    bool DirectDownloadURL(const QString &AURL, QString &ASource, bool) override { return answer(true, AURL, ASource); }

    QStringList urls() const {
        QStringList list;
        for (const Call &call : calls) {
            list.append(call.url);
        }
        return list;
    }

    QHash<QString, QString> pages; // addresses neither here nor answered by route fail
    std::function<std::optional<QString>(const QString &url)> route;
    QList<Call> calls;
    // Runs after each call, as if during the fetch's last event processing.
    std::function<void(const QString &url)> afterFetch;

private:
    bool answer(bool direct, const QString &url, QString &source) {
        calls.append({direct, url});
        std::optional<QString> page;
        if (const auto known = pages.constFind(url); known != pages.constEnd()) {
            page = *known;
        } else if (route) {
            page = route(url);
        }
        if (page) {
            source = *page;
        }
        const bool found = page.has_value();
        if (afterFetch) {
            afterFetch(url);
        }
        return found;
    }
};
