#pragma once

#include <QString>

class SampleCatalog;
class StartVariation;
struct SampleCompany;

// The company search result pages as LinkedIn serves them today: the served markup holds no
// result, a script draws the cards, and every class name is a hashed string of this start.
class TodaySearchPages {
public:
    TodaySearchPages(const SampleCatalog &catalog, const StartVariation &variation)
        : m_catalog(catalog), m_variation(variation) {}

    // The keyword "nothing" (any letter case) and pages past the last draw "No results found".
    // base goes in front of the links that are absolute.
    QString Page(const QString &keyword, int page, const QString &base) const;
    // A result page whose main says the member may search no more this month.
    QString CommercialUseLimit(const QString &keyword) const;

private:
    QString Results(int page, const QString &base) const;
    QString Card(const SampleCompany &company, int entry, const QString &base) const;
    QString Promoted(int page, const QString &base) const;
    QString Pagination(int page) const;
    QString PeopleAlsoViewed(int page) const;
    QString Header(const QString &keyword) const;
    QString AfterMain() const;
    enum class Part;
    QString Class(Part part) const;

    const SampleCatalog &m_catalog;
    const StartVariation &m_variation;
};
