#include "sitefixture.h"

#include <QRegularExpression>
#include <QSet>

namespace {

// What the page's script draws into <main>: its content travels base64-encoded in the script.
QString DrawnContent(const QString &page) {
    static const QRegularExpression content(QStringLiteral("const content = '([A-Za-z0-9+/=]*)'"));
    return QString::fromUtf8(QByteArray::fromBase64(content.match(page).captured(1).toLatin1()));
}

QSet<QString> ClassNames(const QString &markup) {
    static const QRegularExpression attribute(QStringLiteral("class=\"([^\"]*)\""));
    QSet<QString> names;
    for (const QRegularExpressionMatch &match : attribute.globalMatch(markup)) {
        names.insert(match.captured(1));
    }
    return names;
}

const QString today = QStringLiteral("/search/results/companies/?keywords=Widgets&origin=SWITCH_SEARCH_VERTICAL");

struct RouteCase {
    const char *name;
    const char *controls; // control targets sent first, separated by blanks
    int earlierCounted;   // first-layout result pages requested before the target
    QString target;       // {walled}, {public}, {old}: slugs of entries of page 1
    bool session;         // the request carries the session cookie
    int status;
    const char *present; // in the headers, the markup or the drawn content; {base}: the site
    const char *absent;
};

const RouteCase routeCases[] = {
    {"TodayByOrigin", "", 0, today, false, 200, "Set-Cookie: li_at=sample-session; Path=/", "results-summary"},
    {"TodayByPageWithoutSlash", "", 0, QStringLiteral("/search/results/companies?keywords=Widgets&page=3"), false, 200,
     "pagination-controls-next-button-visible\" disabled>", "No results"},
    {"PageNumKeepsTheSecondLayout", "", 0, today + u"&page=2&page_num=1", false, 200, "results-summary", "li_at"},
    {"KeywordsAloneKeepTheSecondLayout", "", 0, QStringLiteral("/search/results/companies/?keywords=Widgets"), false,
     200, "results-summary", "aria-busy"},
    {"NothingFound", "", 0, QStringLiteral("/search/results/companies/?keywords=NoThInG&origin=X"), false, 200,
     "No results found", "role=\"list\""},
    {"PastTheLastPage", "", 0, today + u"&page=4", false, 200, "No results found", "pagination-controls"},
    {"PublicPage", "", 0, QStringLiteral("/company/{public}/"), false, 200, "\"@type\":\"Organization\"",
     "\"website\":\""},
    {"PublicPageWithoutSlash", "", 0, QStringLiteral("/company/{public}"), false, 200,
     "data-test-id=\"about-us__headquarters\"", "\"headquarters\":{"},
    {"OldCompanyPageKeepsItsJson", "", 0, QStringLiteral("/company/{old}/"), false, 200, "\"headquarters\":{",
     "about-us"},
    {"SignInWall", "", 0, QStringLiteral("/company/{walled}/"), false, 302,
     "Location: {base}/authwall?trk=bf&sessionRedirect=", "Overview"},
    {"SessionPassesTheWall", "", 0, QStringLiteral("/company/{walled}"), true, 200, "Overview</h2>", "about-us"},
    {"AboutWithoutSession", "", 0, QStringLiteral("/company/{public}/about/"), false, 302,
     "Location: {base}/login?session_redirect=", "Overview"},
    {"AboutWithSession", "", 0, QStringLiteral("/company/{walled}/about"), true, 200, "associated members</span></dd>",
     "about-us"},
    {"AuthWall", "", 0, QStringLiteral("/authwall?trk=bf"), false, 200, "Sign in to see more", "Overview"},
    {"SignIn", "", 0, QStringLiteral("/uas/login"), false, 200, "<h1>Sign in</h1>", "Overview"},
    {"CheckpointAfterTwo", "/_sample/linkedin?checkpointAfter=2", 2, QStringLiteral("/company/{public}/"), false, 302,
     "Location: {base}/checkpoint/challenge/AgE?x=1", "about-us"},
    {"CheckpointNotYet", "/_sample/linkedin?checkpointAfter=2", 1, QStringLiteral("/company/{public}/"), false, 200,
     "about-us__website", "checkpoint"},
    {"CheckpointPageIsNotCounted", "/_sample/linkedin?checkpointAfter=0", 0,
     QStringLiteral("/checkpoint/challenge/AgE?x=1"), false, 200, "Let's do a quick security check", "Location"},
    {"TooManyRequests", "/_sample/linkedin?status429=1", 0, today + u"&page=2", false, 429, "", "li_at"},
    {"ClearEndsTheLimits", "/_sample/linkedin?status429=1&checkpointAfter=0 /_sample/clear", 0,
     QStringLiteral("/vsearch/c"), false, 200, "results_count", "Location"},
    {"CommercialUseLimit", "/_sample/linkedin?commercialLimit=1", 0, today, false, 200,
     "You've reached the monthly commercial use limit", "role=\"list\""},
    {"CommercialUseLimitSparesTheSecondLayout", "/_sample/linkedin?commercialLimit=1", 0,
     QStringLiteral("/search/results/companies/?keywords=Widgets&page_num=1"), false, 200, "results-summary",
     "commercial"},
};

void PrintTo(const RouteCase &routeCase, std::ostream *stream) {
    *stream << routeCase.name;
}

class TodayRouteTest : public SampleSiteTest, public ::testing::WithParamInterface<RouteCase> {
protected:
    QString Filled(QString text) const {
        const QList<SampleCompany> page1 = site.companies(3, 1);
        return text.replace(QStringLiteral("{walled}"), page1.at(4).slug)
            .replace(QStringLiteral("{public}"), page1.at(3).slug)
            .replace(QStringLiteral("{old}"), site.companies(1, 1).at(0).slug)
            .replace(QStringLiteral("{base}"), site.base());
    }
};

TEST_P(TodayRouteTest, TheRequestGetsItsPage) {
    const RouteCase &route = GetParam();
    for (const QString &control : QString::fromLatin1(route.controls).split(u' ', Qt::SkipEmptyParts)) {
        ASSERT_EQ(Get(control)->status, 200) << control.toStdString();
    }
    for (int i = 0; i < route.earlierCounted; ++i) {
        Get(QStringLiteral("/vsearch/c"));
    }
    httplib::Client client(site.base().toStdString());
    httplib::Headers headers;
    if (route.session) {
        headers.emplace("Cookie", "lang=en; li_at=sample-session");
    }
    const httplib::Result result = client.Get(Filled(route.target).toStdString(), headers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, route.status);
    QString seen;
    for (const auto &[name, value] : result->headers) {
        seen += QString::fromStdString(name + ": " + value + "\n");
    }
    const QString body = QString::fromStdString(result->body);
    seen += body + DrawnContent(body);
    EXPECT_TRUE(seen.contains(Filled(QString::fromUtf8(route.present)))) << seen.toStdString();
    EXPECT_FALSE(seen.contains(QString::fromUtf8(route.absent))) << seen.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Routes, TodayRouteTest, ::testing::ValuesIn(routeCases),
                         [](const auto &info) { return std::string(info.param.name); });

class TodaySearchTest : public SampleSiteTest {};

TEST_F(TodaySearchTest, OnlyResultAndCompanyPagesCountAsLinkedInRequests) {
    for (const char *target : {"/vsearch/c", "/authwall", "/login", "/", "/company/x/about/", "/checkpoint/x",
                               "/search/results/companies?keywords=W&page=2"}) {
        Get(QString::fromLatin1(target));
    }
    EXPECT_EQ(site.linkedInRequestCount(), 3);
    site.setCheckpointAfter(0);
    EXPECT_EQ(Get(QStringLiteral("/company/x/"))->status, 302);
    EXPECT_EQ(site.linkedInRequestCount(), 4);
    site.clearRequestLog();
    EXPECT_EQ(site.linkedInRequestCount(), 0);
}

TEST_F(TodaySearchTest, TheMarkupHoldsNoResultUntilTheScriptDrawsThemAndClassNamesChangeWithEveryStart) {
    const QString page = Page(site.searchUrl(3, 2).mid(site.base().size()));
    const QString drawn = DrawnContent(page);
    qsizetype previous = -1;
    for (const SampleCompany &company : site.companies(3, 2)) {
        EXPECT_FALSE(page.contains(company.name) || page.contains(company.name.toHtmlEscaped()))
            << company.name.toStdString();
        const qsizetype card = drawn.indexOf(u'>' + company.name.toHtmlEscaped() + u"</a>");
        EXPECT_GT(card, previous) << company.name.toStdString();
        EXPECT_TRUE(drawn.indexOf(company.subtitle, card) > card && drawn.indexOf(company.followers, card) > card);
        previous = card;
    }

    SampleSite restarted;
    ASSERT_TRUE(restarted.start());
    httplib::Client client(restarted.base().toStdString());
    const httplib::Result other = client.Get(site.searchUrl(3, 2).mid(site.base().size()).toStdString());
    ASSERT_TRUE(other);
    const QString otherPage = QString::fromStdString(other->body);
    const QSet<QString> names = ClassNames(page + drawn);
    EXPECT_GE(names.size(), 20);
    EXPECT_FALSE(names.intersects(ClassNames(otherPage + DrawnContent(otherPage))));
}

} // namespace
