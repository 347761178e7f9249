#include "core/extraction/resultcards.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QStringView companyPrefix = u"/company/";

int DefaultPort(const QUrl &url) {
    return url.scheme().compare(u"https", Qt::CaseInsensitive) == 0 ? 443 : 80;
}

// The site itself, or one of its regional hosts ("de.linkedin.com") when the base is the real site.
bool IsSiteHost(const QUrl &url, const QUrl &base) {
    const QString host = url.host().toLower();
    const QString baseHost = base.host().toLower();
    if (host == baseHost) {
        return url.port(DefaultPort(url)) == base.port(DefaultPort(base));
    }
    return baseHost.endsWith(u"linkedin.com") && (host == u"linkedin.com" || host.endsWith(u".linkedin.com"));
}

// A slug as the site writes it in a path: letters, digits and the few marks it uses, percent
// escapes for the rest.
bool IsSlug(QStringView slug) {
    if (slug.isEmpty() || slug.size() > 200) {
        return false;
    }
    for (const QChar c : slug) {
        const char16_t u = c.unicode();
        const bool plain = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
                           u == u'-' || u == u'_' || u == u'.' || u == u'%' || u == u'~';
        if (!plain) {
            return false;
        }
    }
    return slug != u"." && slug != u"..";
}

QString Collapsed(const QJsonValue &value) {
    return value.toString().simplified();
}

} // namespace

bool CardsPage::sameCards(const CardsPage &other) const {
    if (cards.size() != other.cards.size() || noResults != other.noResults) {
        return false;
    }
    for (qsizetype index = 0; index < cards.size(); ++index) {
        if (cards[index].link != other.cards[index].link || cards[index].name != other.cards[index].name) {
            return false;
        }
    }
    return true;
}

QString CanonicalCompanyLink(const QString &address, const QString &linkedInBase) {
    const QUrl url(address, QUrl::StrictMode);
    const QUrl base(linkedInBase);
    if (!url.isValid() || !base.isValid() || url.scheme().compare(base.scheme(), Qt::CaseInsensitive) != 0 ||
        !url.userInfo().isEmpty() || !IsSiteHost(url, base)) {
        return {};
    }
    const QString path = url.path(QUrl::FullyEncoded);
    if (!path.startsWith(companyPrefix)) {
        return {};
    }
    const QStringView rest = QStringView(path).mid(companyPrefix.size());
    const QStringView slug = rest.left(rest.indexOf(u'/'));
    if (!IsSlug(slug)) {
        return {};
    }
    return linkedInBase + companyPrefix + slug + u'/';
}

std::optional<CardsPage> ParseCardsPage(const QByteArray &json, const QString &linkedInBase) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    CardsPage page;
    page.noResults = root.value(u"noResults").toBool();
    page.commercialLimit = root.value(u"commercialLimit").toBool();
    const QJsonObject next = root.value(u"next").toObject();
    page.nextPresent = next.value(u"present").toBool();
    page.nextDisabled = next.value(u"disabled").toBool();
    for (const QJsonValue &value : root.value(u"cards").toArray()) {
        const QJsonObject card = value.toObject();
        const QString link = CanonicalCompanyLink(card.value(u"href").toString(), linkedInBase);
        if (link.isEmpty()) {
            continue;
        }
        page.cards.append({link, Collapsed(card.value(u"name")), Collapsed(card.value(u"subtitle")),
                           Collapsed(card.value(u"followers"))});
    }
    return page;
}

bool IsCompanySearchAddress(const QString &address, const QString &linkedInBase) {
    const QUrl url(address);
    const QUrl base(linkedInBase);
    if (!url.isValid() || !IsSiteHost(url, base)) {
        return false;
    }
    const QString path = url.path();
    return path == u"/search/results/companies/" || path == u"/search/results/companies";
}

QString SearchKeywords(const QString &address) {
    const QUrlQuery query{QUrl(address)};
    // A bare "+" stands for a blank in a query; a real plus sign comes as "%2B".
    QString encoded = query.queryItemValue(QStringLiteral("keywords"), QUrl::FullyEncoded);
    encoded.replace(u'+', u' ');
    return QUrl::fromPercentEncoding(encoded.toUtf8()).trimmed();
}

int SearchPageNumber(const QString &address) {
    const QUrlQuery query{QUrl(address)};
    bool number = false;
    const int page = query.queryItemValue(QStringLiteral("page")).toInt(&number);
    return number && page >= 1 ? page : 1;
}

QString SearchPageAddress(const QString &address, int page) {
    QUrl url(address);
    // Worked on as text, so every other parameter keeps its place and its encoding.
    QStringList items = url.query(QUrl::FullyEncoded).split(u'&', Qt::SkipEmptyParts);
    const QString item = u"page="_s + QString::number(page);
    const auto isPage = [](const QString &each) {
        return each == u"page" || each.startsWith(u"page=");
    };
    const auto found = std::find_if(items.begin(), items.end(), isPage);
    if (found == items.end()) {
        items.append(item);
    } else {
        *found = item;
        items.erase(std::remove_if(std::next(found), items.end(), isPage), items.end());
    }
    url.setQuery(items.join(u'&'), QUrl::StrictMode);
    return url.toString(QUrl::FullyEncoded);
}

QString SubtitleIndustry(QStringView subtitle) {
    const qsizetype bullet = subtitle.indexOf(u'\u2022');
    if (bullet < 0) {
        return {};
    }
    return subtitle.left(bullet).trimmed().toString();
}
