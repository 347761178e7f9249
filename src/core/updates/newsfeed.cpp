#include "core/updates/newsfeed.h"

#include "core/net/fetcher.h"

#include <QUrl>
#include <QUrlQuery>

std::optional<QString> GetNews(Fetcher &fetcher, const QString &newsDataUrl) {
    QString text;
    if (!fetcher.DirectDownloadURL(newsDataUrl, text, false)) {
        return std::nullopt;
    }
    return text;
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
