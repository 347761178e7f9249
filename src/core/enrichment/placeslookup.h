#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <functional>
#include <optional>

struct Endpoints;
class Fetcher;

// Completes a row from the Places web service: geocodes the company's address, searches for
// its name around that point and takes phone, region and category from the nearest match.
class PlacesLookup {
public:
    // Returns a whole number from 0 to 9; a draw above 5 picks key B.
    using KeyDraw = std::function<int()>;

    PlacesLookup(const Endpoints &endpoints, Fetcher &fetcher);

    // The four outputs are written together, and only when the place details arrive with
    // status "OK"; every other outcome leaves them as they were. ACountry is not consulted:
    // the country already ends ALocation. The outputs must outlive the call. False when one of
    // the service's replies could not be fetched (no match is no failure).
    QCoro::Task<bool> ParsePair(QString ACategory, QString ALocation, QString ACountry, QString &APhone,
                                QString &ADetails, QString &AState, QString &RealCategory, StopToken stop);

    // Replaces the uniform random draw that chooses between the two keys.
    void setKeyDraw(KeyDraw draw);

private:
    QString DrawKey() const;
    // The place id of the nearest match, empty when the search gave none to follow, nothing when
    // the search could not be fetched.
    QCoro::Task<std::optional<QString>> NearestPlaceId(QString latitude, QString longitude, QString keyword,
                                                       StopToken stop);

    const Endpoints &m_endpoints;
    Fetcher &m_fetcher;
    KeyDraw m_keyDraw;
};
