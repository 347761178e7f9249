#include "core/enrichment/geocodereply.h"

#include "core/enrichment/placestext.h"
#include "core/util/textcursor.h"

namespace {

// The blanks inside the markers are those of the service's pretty-printed reply.
void CutPair(QStringView marker, TextCursor &buffer, QString &latitude, QString &longitude) {
    if (!buffer.contains(marker)) {
        return;
    }
    CutBetween(marker, u"{", 0, buffer);
    latitude = StripLineBreaks(CutBetween(u"\"lat\" : ", u",", 0, buffer));
    longitude = StripLineBreaks(CutBetween(u"\"lng\" :", u"}", 0, buffer));
}

} // namespace

GeocodePairs ExtractLatLong(const QString &ASource) {
    GeocodePairs pairs;
    TextCursor buffer(ASource);
    CutPair(u"\"northeast\" :", buffer, pairs.ALatitude1, pairs.ALongitude1);
    CutPair(u"\"southwest\" :", buffer, pairs.ALatitude2, pairs.ALongitude2);
    CutPair(u"\"location\" :", buffer, pairs.ALatitude3, pairs.ALongitude3);
    return pairs;
}
