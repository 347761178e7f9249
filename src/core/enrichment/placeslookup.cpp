#include "core/enrichment/placeslookup.h"

#include "core/app/endpoints.h"
#include "core/enrichment/geocodereply.h"
#include "core/enrichment/placesreply.h"
#include "core/enrichment/placestext.h"
#include "core/net/fetcher.h"

#include <QJsonArray>
#include <QRandomGenerator>

#include <optional>
#include <utility>

PlacesLookup::PlacesLookup(const Endpoints &endpoints, Fetcher &fetcher)
    : m_endpoints(endpoints), m_fetcher(fetcher), m_keyDraw([] { return QRandomGenerator::global()->bounded(10); }) {}

void PlacesLookup::setKeyDraw(KeyDraw draw) {
    m_keyDraw = std::move(draw);
}

bool PlacesLookup::hasKeys() const {
    return !m_endpoints.placesKeyA.isEmpty() || !m_endpoints.placesKeyB.isEmpty();
}

QString PlacesLookup::DrawKey() const {
    return m_keyDraw() > 5 ? m_endpoints.placesKeyB : m_endpoints.placesKeyA;
}

namespace {

const PlacesOutcome fetchFailed{PlacesOutcome::Kind::Failed, {}};

// A refusal when the reply names a status other than "OK" and "ZERO_RESULTS".
std::optional<PlacesOutcome> Refusal(const QString &reply) {
    const std::optional<QJsonObject> object = ParseReplyObject(reply);
    const QString status = object ? ReplyStatus(*object) : QString();
    if (status.isEmpty() || status == u"OK" || status == u"ZERO_RESULTS") {
        return std::nullopt;
    }
    const QString message = object->value(QLatin1String("error_message")).toString();
    return PlacesOutcome{PlacesOutcome::Kind::Refused, message.isEmpty() ? status : status + u": " + message};
}

} // namespace

QCoro::Task<PlacesOutcome> PlacesLookup::ParsePair(QString ACategory, QString ALocation, QString ACountry,
                                                   QString &APhone, QString &ADetails, QString &AState,
                                                   QString &RealCategory, StopToken stop) {
    Q_UNUSED(ACountry)
    if (!hasKeys()) {
        co_return PlacesOutcome{PlacesOutcome::Kind::NoKeys, {}};
    }
    const QString keyword = EncodeQueryValue(ACategory);
    const QString address = EncodeQueryValue(ALocation);

    const QString geocodeUrl =
        m_endpoints.placesHttp + u"/maps/api/geocode/json?sensor=false&address=" + address + u"&key=" + DrawKey();
    const FetchResult geocode = co_await m_fetcher.DownloadURL(geocodeUrl, false, stop);
    if (!geocode.ok()) {
        co_return fetchFailed;
    }
    if (const std::optional<PlacesOutcome> refused = Refusal(geocode.text)) {
        co_return *refused;
    }
    const GeocodePairs pairs = ExtractLatLong(geocode.text);
    if (pairs.ALatitude3.isEmpty() || pairs.ALongitude3.isEmpty()) {
        co_return PlacesOutcome{};
    }

    const std::variant<QString, PlacesOutcome> nearest =
        co_await NearestPlaceId(pairs.ALatitude3, pairs.ALongitude3, keyword, stop);
    if (const auto *failed = std::get_if<PlacesOutcome>(&nearest)) {
        co_return *failed;
    }
    const QString &placeId = std::get<QString>(nearest);
    if (placeId.isEmpty()) {
        co_return PlacesOutcome{};
    }

    const QString detailsUrl =
        m_endpoints.placesHttps + u"/maps/api/place/details/json?placeid=" + placeId + u"&key=" + DrawKey();
    const FetchResult detailsReply = co_await m_fetcher.DownloadURL(detailsUrl, true, stop);
    if (!detailsReply.ok()) {
        co_return fetchFailed;
    }
    if (const std::optional<PlacesOutcome> refused = Refusal(detailsReply.text)) {
        co_return *refused;
    }
    const std::optional<QJsonObject> details = ParseReplyObject(detailsReply.text);
    if (!details || !HasStatusOk(*details)) {
        co_return PlacesOutcome{};
    }
    const QJsonValue result = details->value(QLatin1String("result"));
    if (!result.isObject()) {
        co_return PlacesOutcome{};
    }
    const QJsonObject place = result.toObject();

    APhone = place.value(QLatin1String("formatted_phone_number")).toString();
    ADetails = detailsUrl;
    AState = RegionFromAdrAddress(place.value(QLatin1String("adr_address")).toString());
    RealCategory = TypesFromDetailsReply(detailsReply.text);
    co_return PlacesOutcome{};
}

QCoro::Task<std::variant<QString, PlacesOutcome>> PlacesLookup::NearestPlaceId(QString latitude, QString longitude,
                                                                               QString keyword, StopToken stop) {
    const QString searchUrl = m_endpoints.placesHttps + u"/maps/api/place/nearbysearch/json?location=" + latitude +
                              u"," + longitude + u"&keyword=" + keyword + u"&rankby=distance&key=" + DrawKey();
    const FetchResult searchReply = co_await m_fetcher.DownloadURL(searchUrl, true, stop);
    if (!searchReply.ok()) {
        co_return fetchFailed;
    }
    if (const std::optional<PlacesOutcome> refused = Refusal(searchReply.text)) {
        co_return *refused;
    }
    const std::optional<QJsonObject> search = ParseReplyObject(searchReply.text);
    if (!search || !HasStatusOk(*search)) {
        co_return QString();
    }
    const QJsonValue results = search->value(QLatin1String("results"));
    if (!results.isArray() || results.toArray().isEmpty()) {
        co_return QString();
    }
    // Only the nearest match is ever followed.
    const QJsonValue nearest = results.toArray().first();
    if (stop.requested() || !nearest.isObject()) {
        co_return QString();
    }
    co_return nearest.toObject().value(QLatin1String("place_id")).toString();
}
