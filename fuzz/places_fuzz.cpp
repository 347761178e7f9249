// The Places replies and text helpers on a reply text:
// - a percent-encoded query value holds only letters, digits, "-./" and escapes, and decodes
//   back to the text;
// - the coordinates cut from a geocoding reply hold no line break and no blank at either end;
// - the region is text of the markup between ">" and "<"; the type list holds no double quote;
// - a reply that parses as an object says OK exactly when its status is the string "OK".
#include "core/enrichment/geocodereply.h"
#include "core/enrichment/placesreply.h"
#include "core/enrichment/placestext.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <QUrl>

namespace {

bool IsTrimmed(const QString &text) {
    return text.isEmpty() || (text.front().unicode() > 32 && text.back().unicode() > 32);
}

bool HasLineBreak(const QString &text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

void CheckQueryValue(const QString &text) {
    const QString encoded = EncodeQueryValue(text);
    for (const QChar c : encoded) {
        const bool allowed = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                             c == u'-' || c == u'.' || c == u'/' || c == u'%';
        FuzzCheck(allowed, "a query value holds letters, digits, \"-./\" and escapes only",
                  [&]() -> QString { return Shown(encoded); });
    }
    FuzzCheck(QUrl::fromPercentEncoding(encoded.toLatin1()) == text,
              "a percent-encoded query value decodes back to the text", [&]() -> QString { return Shown(text); });
}

void CheckGeocodeReply(const QString &reply) {
    const GeocodePairs pairs = ExtractLatLong(reply);
    for (const QString *coordinate : {&pairs.ALatitude1, &pairs.ALongitude1, &pairs.ALatitude2, &pairs.ALongitude2,
                                      &pairs.ALatitude3, &pairs.ALongitude3}) {
        FuzzCheck(!HasLineBreak(*coordinate) && IsTrimmed(*coordinate),
                  "a coordinate holds no line break and no blank at either end",
                  [&]() -> QString { return Shown(*coordinate); });
    }
}

void CheckRegion(const QString &adrAddress) {
    const QString region = RegionFromAdrAddress(adrAddress);
    FuzzCheck(!region.contains(u'<') && adrAddress.contains(region), "the region is text of the markup",
              [&]() -> QString { return Shown(region); });
}

void CheckDetailsReply(const QString &reply) {
    const QString types = TypesFromDetailsReply(reply);
    FuzzCheck(!types.contains(u'"'), "the type list holds no double quote", [&]() -> QString { return Shown(types); });
    const std::optional<QJsonObject> object = ParseReplyObject(reply);
    if (!object) {
        return;
    }
    const QJsonValue status = object->value(QLatin1String("status"));
    FuzzCheck(HasStatusOk(*object) == (status.isString() && status.toString() == QLatin1String("OK")),
              "a reply is OK exactly when its status is \"OK\"");
    const QJsonValue place = object->value(QLatin1String("result"));
    if (place.isObject()) {
        CheckRegion(place.toObject().value(QLatin1String("adr_address")).toString());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString text = PageText(data, size);
    CheckQueryValue(text);
    CheckGeocodeReply(text);
    CheckRegion(text);
    CheckDetailsReply(text);
    const QString repaired = RepairTextArtifacts(text);
    FuzzCheck(IsTrimmed(repaired), "repaired text is trimmed", [&]() -> QString { return Shown(repaired); });
    const QString stripped = StripLineBreaks(text);
    FuzzCheck(!HasLineBreak(stripped) && IsTrimmed(stripped), "stripped text holds no line break and is trimmed",
              [&]() -> QString { return Shown(stripped); });
    return 0;
}
