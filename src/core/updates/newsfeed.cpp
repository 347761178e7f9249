#include "core/updates/newsfeed.h"

#include "core/net/fetcher.h"

#include <QUrl>
#include <QUrlQuery>

QCoro::Task<std::optional<QString>> GetNews(Fetcher &fetcher, QString newsDataUrl, StopToken stop) {
    FetchResult reply = co_await fetcher.DirectDownloadURL(newsDataUrl, false, stop);
    if (!reply.ok()) {
        co_return std::nullopt;
    }
    co_return std::move(reply.text);
}

QString OffersPageAddress(const QString &offersPageUrl, const QString &languageCode) {
    if (offersPageUrl.isEmpty()) {
        return {};
    }
    QUrl url(offersPageUrl);
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("lang"), languageCode);
    query.addQueryItem(QStringLiteral("resid"), QStringLiteral("0"));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}
