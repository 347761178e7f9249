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

    QCoro::Task<FetchResult> DownloadURL(QString AURL, bool, StopToken stop) override {
        return answer(false, AURL, stop);
    }
    QCoro::Task<FetchResult> DirectDownloadURL(QString AURL, bool, StopToken stop) override {
        return answer(true, AURL, stop);
    }

    QStringList urls() const {
        QStringList list;
        for (const Call &call : calls) {
            list.append(call.url);
        }
        return list;
    }

    QHash<QString, QString> pages; // addresses neither here nor answered by route fail
    QHash<QString, long> statuses; // addresses answered with this HTTP error status
    std::function<std::optional<QString>(const QString &url)> route;
    QList<Call> calls;
    // Runs during each call, before its answer, as if while the reply came; a stop requested
    // then ends the fetch as aborted.
    std::function<void(const QString &url)> afterFetch;

private:
    QCoro::Task<FetchResult> answer(bool direct, QString url, StopToken stop) {
        calls.append({direct, url});
        std::optional<QString> page;
        if (const auto known = pages.constFind(url); known != pages.constEnd()) {
            page = *known;
        } else if (route) {
            page = route(url);
        }
        if (afterFetch) {
            afterFetch(url);
        }
        FetchResult result;
        if (stop.requested()) {
            result.error = FetchError::Aborted;
        } else if (const long status = statuses.value(url); status != 0) {
            result.error = FetchError::HttpStatus;
            result.httpStatus = status;
            result.effectiveUrl = url;
        } else if (page) {
            result.text = *page;
            result.effectiveUrl = url;
        } else {
            result.error = FetchError::HttpStatus;
            result.httpStatus = 404;
        }
        co_return result;
    }
};
