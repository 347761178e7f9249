#pragma once

#include "core/net/fetcher.h"

#include <optional>
#include <utility>

// A fetcher that answers every request with one page, or fails every request.
class InputFetcher : public Fetcher {
public:
    explicit InputFetcher(std::optional<QString> page) : m_page(std::move(page)) {}

    bool DownloadURL(const QString &, QString &ASource, bool) override { return answer(ASource); }
    bool DirectDownloadURL(const QString &, QString &ASource, bool) override { return answer(ASource); }

    int requests() const { return m_requests; }

private:
    bool answer(QString &source) {
        ++m_requests;
        if (!m_page) {
            return false;
        }
        source = *m_page;
        return true;
    }

    std::optional<QString> m_page;
    int m_requests = 0;
};
