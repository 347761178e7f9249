#pragma once

#include "core/net/fetcher.h"

#include <optional>
#include <utility>

// A fetcher that answers every request with one page, or fails every request.
class InputFetcher : public Fetcher {
public:
    explicit InputFetcher(std::optional<QString> page) : m_page(std::move(page)) {}

    QCoro::Task<FetchResult> DownloadURL(QString, bool, StopToken) override { co_return answer(); }
    QCoro::Task<FetchResult> DirectDownloadURL(QString, bool, StopToken) override { co_return answer(); }

    int requests() const { return m_requests; }

private:
    FetchResult answer() {
        ++m_requests;
        FetchResult result;
        if (m_page) {
            result.text = *m_page;
        } else {
            result.error = FetchError::ConnectFailed;
        }
        return result;
    }

    std::optional<QString> m_page;
    int m_requests = 0;
};
