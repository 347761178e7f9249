#pragma once

#include <QString>
#include <QtGlobal>

// What a sample site serves: the same seed and sizes always give the same companies and pages.
struct SampleSiteOptions {
    quint32 seed = 1;
    int layout1Pages = 3;    // result pages of the first layout's search
    int layout2Pages = 2;    // result pages of the second layout's search
    int layout3Pages = 3;    // result pages of today's search (at most 100)
    int entriesPerPage = 10; // companies on every result page
    // The first N entries of every page of the second layout's search are the first layout's
    // entries of the same page, so the two searches overlap; 0: no overlap.
    int sharedEntries = 0;
    QString keyword = QStringLiteral("Widgets"); // the keyword shown in the searches' keyword fields
    int port = 0;                                // 0: a free port
    bool startAtSearch = false;                  // "/" redirects (302) to the first layout's first page
};
