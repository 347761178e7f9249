#pragma once

#include "samplesite/samplecompany.h"
#include "samplesite/samplesiteoptions.h"

#include <QHash>
#include <QList>
#include <QString>

// The companies of the three searches, drawn from the seed once and then only read. Web site
// addresses are paths here ("/sites/<slug>/"), and so is companyPage; the site puts its own
// address in front.
//
// Rules on every result page, entries counted from 0 in page order: entry 1, 4, 7, ... has "&"
// in its name; entry 3 has no country; entry 6 has no web site; entry 8 is unknown to Places.
// Every other field is filled. On today's search (layout 3) also: entry 4 is behind the sign-in
// wall and entry 9's public page leaves out the industry. Names and slugs are unique across all
// searches; only sharedEntries puts companies of the first search on the second's pages.
class SampleCatalog {
public:
    explicit SampleCatalog(const SampleSiteOptions &options);

    int pageCount(int layout) const;
    int entriesPerPage() const { return m_entriesPerPage; }
    // Results a search reports: all entries of all its pages.
    int resultCount(int layout) const { return pageCount(layout) * m_entriesPerPage; }
    // Empty for a page the search does not have.
    QList<SampleCompany> page(int layout, int page) const;

    const SampleCompany *bySlug(const QString &slug) const;
    // Only companies that Places knows.
    const SampleCompany *byPlacesName(const QString &name) const;

private:
    SampleCompany Draw(int layout, int page, int entry, int serial) const;
    void AddTodaysFields(SampleCompany &company, int entry, int serial) const;

    quint32 m_seed;
    int m_entriesPerPage;
    int m_sharedEntries;
    int m_layoutPages[3];
    QList<SampleCompany> m_companies; // layout 1 pages, then layout 2, then layout 3, in page order
    QHash<QString, qsizetype> m_bySlug;
    QHash<QString, qsizetype> m_byPlacesName;
};
