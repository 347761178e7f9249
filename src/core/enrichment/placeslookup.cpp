#include "core/enrichment/placeslookup.h"

#include "core/app/appcontext.h"
#include "core/enrichment/geocodereply.h"
#include "core/enrichment/placesreply.h"
#include "core/enrichment/placestext.h"
#include "core/net/fetcher.h"

#include <QJsonArray>
#include <QRandomGenerator>

#include <utility>

PlacesLookup::PlacesLookup(AppContext &context, Fetcher &fetcher)
    : m_context(context), m_fetcher(fetcher), m_keyDraw([] { return QRandomGenerator::global()->bounded(10); }) {}

void PlacesLookup::setKeyDraw(KeyDraw draw) {
    m_keyDraw = std::move(draw);
}

QString PlacesLookup::DrawKey() const {
    return m_keyDraw() > 5 ? m_context.endpoints.placesKeyB : m_context.endpoints.placesKeyA;
}

void PlacesLookup::ParsePair(const QString &ACategory, const QString &ALocation, const QString &ACountry,
                             QString &APhone, QString &ADetails, QString &AState, QString &RealCategory) {
    Q_UNUSED(ACountry)
    const QString keyword = EncodeQueryValue(ACategory);
    const QString address = EncodeQueryValue(ALocation);

    QString geocodeReply;
    const QString geocodeUrl =
        m_context.endpoints.placesHttp + u"/maps/api/geocode/json?sensor=false&address=" + address;
    if (!m_fetcher.DownloadURL(geocodeUrl, geocodeReply, false)) {
        return;
    }
    const GeocodePairs pairs = ExtractLatLong(geocodeReply);
    if (pairs.ALatitude3.isEmpty() || pairs.ALongitude3.isEmpty()) {
        return;
    }

    const QString placeId = NearestPlaceId(pairs.ALatitude3, pairs.ALongitude3, keyword);
    if (placeId.isEmpty()) {
        return;
    }

    const QString detailsUrl =
        m_context.endpoints.placesHttps + u"/maps/api/place/details/json?placeid=" + placeId + u"&key=" + DrawKey();
    QString detailsReply;
    if (!m_fetcher.DownloadURL(detailsUrl, detailsReply, true)) {
        return;
    }
    const std::optional<QJsonObject> details = ParseReplyObject(detailsReply);
    if (!details || !HasStatusOk(*details)) {
        return;
    }
    const QJsonValue result = details->value(QLatin1String("result"));
    if (!result.isObject()) {
        return;
    }
    const QJsonObject place = result.toObject();

    APhone = place.value(QLatin1String("formatted_phone_number")).toString();
    ADetails = detailsUrl;
    AState = RegionFromAdrAddress(place.value(QLatin1String("adr_address")).toString());
    RealCategory = TypesFromDetailsReply(detailsReply);
}

QString PlacesLookup::NearestPlaceId(const QString &latitude, const QString &longitude, const QString &keyword) {
    const QString searchUrl = m_context.endpoints.placesHttps + u"/maps/api/place/nearbysearch/json?location=" +
                              latitude + u"," + longitude + u"&keyword=" + keyword + u"&rankby=distance&key=" +
                              DrawKey();
    QString searchReply;
    if (!m_fetcher.DownloadURL(searchUrl, searchReply, true)) {
        return {};
    }
    const std::optional<QJsonObject> search = ParseReplyObject(searchReply);
    if (!search || !HasStatusOk(*search)) {
        return {};
    }
    const QJsonValue results = search->value(QLatin1String("results"));
    if (!results.isArray() || results.toArray().isEmpty()) {
        return {};
    }
    // Only the nearest match is ever followed.
    const QJsonValue nearest = results.toArray().first();
    if (m_context.run.ShouldStop || !nearest.isObject()) {
        return {};
    }
    return nearest.toObject().value(QLatin1String("place_id")).toString();
}
