#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <functional>
#include <variant>

struct Endpoints;
class Fetcher;

// How one lookup went. A reply whose status is neither "OK" nor "ZERO_RESULTS" is a failure as
// much as a reply that could not be fetched: the service refused it (a key it does not accept,
// a quota used up), and reason says what the service said.
struct PlacesOutcome {
    enum class Kind { Done, Failed, Refused, NoKeys };
    Kind kind = Kind::Done;
    QString reason; // Refused: the status and the service's message

    bool failed() const { return kind == Kind::Failed || kind == Kind::Refused; }
};

// Completes a row from the Places web service: geocodes the company's address, searches for
// its name around that point and takes phone, region and category from the nearest match.
// Every request carries a key; with no key at all nothing is asked.
class PlacesLookup {
public:
    // Returns a whole number from 0 to 9; a draw above 5 picks key B.
    using KeyDraw = std::function<int()>;

    PlacesLookup(const Endpoints &endpoints, Fetcher &fetcher);

    // The four outputs are written together, and only when the place details arrive with
    // status "OK"; every other outcome leaves them as they were. ACountry is not consulted:
    // the country already ends ALocation. The outputs must outlive the call. No match is no
    // failure.
    QCoro::Task<PlacesOutcome> ParsePair(QString ACategory, QString ALocation, QString ACountry, QString &APhone,
                                         QString &ADetails, QString &AState, QString &RealCategory, StopToken stop);

    // Replaces the uniform random draw that chooses between the two keys.
    void setKeyDraw(KeyDraw draw);
    bool hasKeys() const;

private:
    QString DrawKey() const;
    // The place id of the nearest match, empty when the search gave none to follow; the outcome
    // when the search failed.
    QCoro::Task<std::variant<QString, PlacesOutcome>> NearestPlaceId(QString latitude, QString longitude,
                                                                     QString keyword, StopToken stop);

    const Endpoints &m_endpoints;
    Fetcher &m_fetcher;
    KeyDraw m_keyDraw;
};
