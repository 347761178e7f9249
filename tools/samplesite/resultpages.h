#pragma once

#include <QString>

class SampleCatalog;

// The company search result pages in LinkedIn's two layouts, written as modern HTML that the
// browser pane's legacy serialisation turns into the markers the program reads.
class ResultPages {
public:
    explicit ResultPages(const SampleCatalog &catalog) : m_catalog(catalog) {}

    // The path and query of a result page; layout 3 is today's search.
    static QString Path(int layout, const QString &keyword, int page);
    // Layouts 1 and 2; empty for a page the search does not have.
    QString Page(int layout, const QString &keyword, int page) const;

private:
    QString FirstLayout(const QString &keyword, int page) const;
    QString SecondLayout(const QString &keyword, int page) const;

    const SampleCatalog &m_catalog;
};
