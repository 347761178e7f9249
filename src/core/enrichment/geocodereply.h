#pragma once

#include <QString>

// The three coordinate pairs cut from a geocoding reply: the viewport's northeast and southwest
// corners and the location behind them. Empty where a marker was not found.
struct GeocodePairs {
    QString ALatitude1;
    QString ALongitude1;
    QString ALatitude2;
    QString ALongitude2;
    QString ALatitude3;
    QString ALongitude3;
};

// Cuts the pairs from the raw reply text. The markers are chained on one cursor, so each pair
// is the first one behind the pair before it: a location written before the northeast corner
// is passed over.
GeocodePairs ExtractLatLong(const QString &ASource);
