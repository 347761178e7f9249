#pragma once

#include <QString>
#include <QStringList>

class SampleCatalog;
struct SampleCompany;

// The Places web service: geocoding, nearby search and place details, answered in the shape and
// member order of Google's replies. Any non-empty address geocodes to a point derived from its
// text; a nearby search finds the company whose name equals the keyword; a place id is
// "place-<slug>".
class PlacesService {
public:
    PlacesService(const SampleCatalog &catalog, QStringList keys) : m_catalog(catalog), m_keys(std::move(keys)) {}

    QString Geocode(const QString &address) const;
    QString NearbySearch(const QString &location, const QString &keyword, const QString &key) const;
    QString Details(const QString &placeId, const QString &key) const;

    static QString PlaceId(const SampleCompany &company);

private:
    const SampleCatalog &m_catalog;
    QStringList m_keys;
};
