#include "samplesite/placesservice.h"

#include "samplesite/jsonwriter.h"
#include "samplesite/samplecatalog.h"

#include <QCryptographicHash>

#include <utility>

namespace {

const QString placeIdPrefix = QStringLiteral("place-");

struct Point {
    double lat;
    double lng;
};

// The same text always lands on the same point.
Point PointOf(const QString &text) {
    const QByteArray hash = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
    const auto word = [&hash](int at) {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | static_cast<quint8>(hash.at(at + i));
        }
        return value;
    };
    return {-50.0 + double(word(0) % 1'200'000) / 10'000.0, -170.0 + double(word(4) % 3'400'000) / 10'000.0};
}

QString Coordinate(double value) {
    return QString::number(value, 'f', 4);
}

void WritePoint(JsonWriter &json, QStringView name, Point point) {
    json.beginObject(name).number(u"lat", Coordinate(point.lat)).number(u"lng", Coordinate(point.lng)).endObject();
}

void WriteBox(JsonWriter &json, QStringView name, Point centre) {
    json.beginObject(name);
    WritePoint(json, u"northeast", {centre.lat + 0.0125, centre.lng + 0.0125});
    WritePoint(json, u"southwest", {centre.lat - 0.0125, centre.lng - 0.0125});
    json.endObject();
}

QString StatusOnly(const QString &status, const QString &errorMessage = {}) {
    JsonWriter json;
    json.beginObject();
    if (!errorMessage.isEmpty()) {
        json.string(u"error_message", errorMessage);
    }
    json.strings(u"html_attributions", {}).strings(u"results", {}).string(u"status", status).endObject();
    return json.text();
}

QString Denied() {
    return StatusOnly(QStringLiteral("REQUEST_DENIED"), QStringLiteral("The provided API key is invalid."));
}

QString FormattedAddress(const SampleCompany &company) {
    QString address = company.street + u", " + company.zip + u' ' + company.city;
    if (!company.country.isEmpty()) {
        address += u", " + company.country;
    }
    return address;
}

QString AdrAddress(const SampleCompany &company) {
    const auto span = [](const char *kind, const QString &text) -> QString {
        return u"<span class=\"" + QLatin1String(kind) + u"\">" + text + u"</span>";
    };
    QString address = span("street-address", company.street);
    address += u", " + span("postal-code", company.zip);
    address += u' ' + span("locality", company.city);
    address += u", " + span("region", company.region);
    if (!company.country.isEmpty()) {
        address += u", " + span("country-name", company.country);
    }
    return address;
}

void WriteComponent(JsonWriter &json, const QString &name, const QStringList &types) {
    json.beginObject().string(u"long_name", name).string(u"short_name", name).strings(u"types", types).endObject();
}

} // namespace

QString PlacesService::PlaceId(const SampleCompany &company) {
    return placeIdPrefix + company.slug;
}

QString PlacesService::Geocode(const QString &address) const {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty()) {
        return StatusOnly(QStringLiteral("ZERO_RESULTS"));
    }
    const Point point = PointOf(trimmed);
    JsonWriter json;
    json.beginObject().beginArray(u"results").beginObject();
    json.beginArray(u"address_components");
    WriteComponent(json, trimmed, {QStringLiteral("locality"), QStringLiteral("political")});
    json.endArray().string(u"formatted_address", trimmed);
    json.beginObject(u"geometry");
    WriteBox(json, u"bounds", point);
    WritePoint(json, u"location", point);
    json.string(u"location_type", QStringLiteral("APPROXIMATE"));
    WriteBox(json, u"viewport", point);
    json.endObject();
    json.string(u"place_id",
                u"geo-" +
                    QString::fromLatin1(QCryptographicHash::hash(trimmed.toUtf8(), QCryptographicHash::Md5).toHex()));
    json.strings(u"types", {QStringLiteral("locality"), QStringLiteral("political")});
    json.endObject().endArray().string(u"status", QStringLiteral("OK")).endObject();
    return json.text();
}

QString PlacesService::NearbySearch(const QString &location, const QString &keyword, const QString &key) const {
    if (!m_keys.contains(key)) {
        return Denied();
    }
    if (location.isEmpty()) {
        return StatusOnly(QStringLiteral("INVALID_REQUEST"));
    }
    const SampleCompany *company = m_catalog.byPlacesName(keyword.trimmed());
    if (!company) {
        return StatusOnly(QStringLiteral("ZERO_RESULTS"));
    }
    JsonWriter json;
    json.beginObject().strings(u"html_attributions", {}).beginArray(u"results").beginObject();
    json.beginObject(u"geometry");
    WritePoint(json, u"location", PointOf(FormattedAddress(*company)));
    json.endObject();
    json.string(u"name", company->name).string(u"place_id", PlaceId(*company));
    json.strings(u"types", company->placeTypes).string(u"vicinity", company->street + u", " + company->city);
    json.endObject().endArray().string(u"status", QStringLiteral("OK")).endObject();
    return json.text();
}

QString PlacesService::Details(const QString &placeId, const QString &key) const {
    if (!m_keys.contains(key)) {
        return Denied();
    }
    const SampleCompany *company =
        placeId.startsWith(placeIdPrefix) ? m_catalog.bySlug(placeId.mid(placeIdPrefix.size())) : nullptr;
    if (!company || company->phone.isEmpty()) {
        JsonWriter json;
        json.beginObject().strings(u"html_attributions", {}).string(u"status", QStringLiteral("NOT_FOUND")).endObject();
        return json.text();
    }
    const Point point = PointOf(FormattedAddress(*company));
    JsonWriter json;
    json.beginObject().strings(u"html_attributions", {}).beginObject(u"result");
    // Components come before the geometry, the place's own types after it: the program takes the
    // first types list behind the first coordinates.
    json.beginArray(u"address_components");
    WriteComponent(json, company->city, {QStringLiteral("locality"), QStringLiteral("political")});
    WriteComponent(json, company->region, {QStringLiteral("administrative_area_level_1"), QStringLiteral("political")});
    WriteComponent(json, company->zip, {QStringLiteral("postal_code")});
    json.endArray();
    json.string(u"adr_address", AdrAddress(*company));
    json.string(u"formatted_address", FormattedAddress(*company));
    json.string(u"formatted_phone_number", company->phone);
    json.beginObject(u"geometry");
    WritePoint(json, u"location", point);
    WriteBox(json, u"viewport", point);
    json.endObject();
    json.string(u"name", company->name).string(u"place_id", PlaceId(*company));
    json.strings(u"types", company->placeTypes);
    json.endObject().string(u"status", QStringLiteral("OK")).endObject();
    return json.text();
}
