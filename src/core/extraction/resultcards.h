#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// One company of a result page in today's layout, as the pane's card reader found it.
struct ResultCard {
    QString link;      // canonical: the LinkedIn site, "/company/<slug>/", no query or fragment
    QString name;      // the visible text of the card's first company link that has some
    QString subtitle;  // "Industry • Location"
    QString followers; // "1,234 followers"
};

// What one read of a result page in today's layout found, cards in document order.
struct CardsPage {
    QList<ResultCard> cards;
    bool noResults = false;       // the page says the search found nothing
    bool nextPresent = false;     // the page shows a next-page button
    bool nextDisabled = false;    // ... that cannot be pressed
    bool commercialLimit = false; // the page says the member reached the commercial use limit

    bool sameCards(const CardsPage &other) const;
};

// The card reader's JSON answer. A card whose link is no company page of the LinkedIn site
// (linkedInBase: scheme and host, no trailing slash) is dropped; nothing when the text is not
// the reader's JSON.
std::optional<CardsPage> ParseCardsPage(const QByteArray &json, const QString &linkedInBase);

// linkedInBase + "/company/<slug>/" for an address of a company page on the LinkedIn site (any
// of its pages, any query), or empty. The site's regional hosts count as the site.
QString CanonicalCompanyLink(const QString &address, const QString &linkedInBase);

// Today's layout: the company search of the LinkedIn site, "/search/results/companies/".
bool IsCompanySearchAddress(const QString &address, const QString &linkedInBase);
// The search's "keywords" parameter, decoded; empty when it has none.
QString SearchKeywords(const QString &address);
// The "page" parameter; 1 when it is missing or not a number from 1 on.
int SearchPageNumber(const QString &address);
// The same address showing page, every other parameter kept in its place.
QString SearchPageAddress(const QString &address, int page);

// A search shows at most this many pages (1,000 results).
inline constexpr int LastSearchPage = 100;
// How long a result page in today's layout may take to draw its cards before the run says it
// holds none it can read.
inline constexpr int CardsPatienceMs = 30000;

// The industry part of a subtitle "Industry • Location"; empty when it has no such part.
QString SubtitleIndustry(QStringView subtitle);
