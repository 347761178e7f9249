#pragma once

#include "samplesite/placesservice.h"
#include "samplesite/resultpages.h"
#include "samplesite/sitereply.h"
#include "samplesite/todaysearchpages.h"

#include <QString>

#include <httplib.h>

class AccountLimits;
class SampleCatalog;
class StartVariation;
struct SampleSiteOptions;

// Answers a request by its path: which page or reply of the sample site it names.
class SiteRouter {
public:
    SiteRouter(const SampleCatalog &catalog, const SampleSiteOptions &options, const StartVariation &variation,
               const AccountLimits &limits);

    // base is the site's own address, for the absolute addresses pages carry.
    SiteReply Route(const httplib::Request &request, const QString &base) const;

    static QString PlacesKeyA();
    static QString PlacesKeyB();

private:
    SiteReply Home(const httplib::Request &request, const QString &base) const;
    SiteReply Search(int layout, const httplib::Request &request) const;
    SiteReply TodaySearch(const httplib::Request &request, const QString &base) const;
    SiteReply Company(const QString &rest, const httplib::Request &request, const QString &base) const;
    SiteReply Places(const QString &path, const httplib::Request &request) const;
    SiteReply Website(const QString &rest) const;
    SiteReply Publisher(const QString &path, const httplib::Request &request) const;

    const SampleCatalog &m_catalog;
    QString m_keyword;
    bool m_startAtSearch;
    const StartVariation &m_variation;
    const AccountLimits &m_limits;
    ResultPages m_resultPages;
    TodaySearchPages m_todayPages;
    PlacesService m_places;
};
