#include "core/settings/newsline.h"
#include "sitefixture.h"

#include <QUrl>

namespace {

class PortalTest : public SampleSiteTest {};

TEST_F(PortalTest, EveryEndpointAnswersWithItsPage) {
    const Endpoints endpoints = site.endpoints();
    const struct {
        QString url;
        QString contentType;
        QString marker;
    } cases[] = {
        {endpoints.linkedInHttps + u'/', QStringLiteral("text/html"),
         QStringLiteral("<title>LinkedIn (sample)</title>")},
        {endpoints.linkedInHttp + u"/feed/nhome/", QStringLiteral("text/html"), QStringLiteral("/vsearch/c?keywords=")},
        {endpoints.googleMapsHttp + u"/maps?q=10+Main+St,US", QStringLiteral("text/html"),
         QStringLiteral("10 Main St,US")},
        {endpoints.updateBaseUrl + u"mainappupdate.inf", QStringLiteral("text/plain"),
         QStringLiteral("\r\nVersion=3.12\r\n")},
        {endpoints.newsDataUrl, QStringLiteral("text/plain"), QStringLiteral("</IT1>")},
        {endpoints.offersPageUrl + u"?lang=it&resid=0", QStringLiteral("text/html"), QStringLiteral("Language: it")},
        {endpoints.tutorialUrl, QStringLiteral("text/html"), QStringLiteral("<h1>Tutorial</h1>")},
        {endpoints.affiliatesUrl, QStringLiteral("text/html"), QStringLiteral("<h1>Affiliates</h1>")},
        {endpoints.proxyAdviceUrl, QStringLiteral("text/html"), QStringLiteral("<h1>Protect your IP</h1>")},
    };
    for (const auto &[url, contentType, marker] : cases) {
        ASSERT_TRUE(url.startsWith(site.base() + u'/')) << url.toStdString();
        const httplib::Result result = Get(url.mid(site.base().size()));
        ASSERT_TRUE(result) << url.toStdString();
        EXPECT_EQ(result->status, 200) << url.toStdString();
        EXPECT_EQ(QString::fromStdString(result->get_header_value("Content-Type")), contentType + u"; charset=UTF-8");
        EXPECT_TRUE(QString::fromStdString(result->body).contains(marker)) << url.toStdString();
    }
    EXPECT_EQ(endpoints.placesHttp, site.base());
    EXPECT_EQ(endpoints.placesHttps, site.base());
    EXPECT_EQ(endpoints.placesKeyA, u"sample-key-a");
    EXPECT_EQ(endpoints.placesKeyB, u"sample-key-b");
}

TEST_F(PortalTest, TheNewsFileHasASectionForEveryLanguage) {
    const QString news = Page(QUrl(site.endpoints().newsDataUrl).path());
    for (const QString &language :
         {QStringLiteral("en"), QStringLiteral("fr"), QStringLiteral("es"), QStringLiteral("it")}) {
        EXPECT_NE(BuildNewsLine(news, QStringLiteral("x"), language).markup, u"<a href=\"x\"></a>")
            << language.toStdString();
    }
}

TEST_F(PortalTest, UnknownPathsAreNotFound) {
    const httplib::Result result = Get(QStringLiteral("/no/such/page"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
}

TEST(PortalStartAtSearch, TheHomePageRedirectsToTheFirstResultPage) {
    SampleSite site(SampleSiteOptions{.startAtSearch = true});
    ASSERT_TRUE(site.start());
    httplib::Client client(site.base().toStdString());
    const httplib::Result result = client.Get("/");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 302);
    EXPECT_EQ(QString::fromStdString(result->get_header_value("Location")), site.searchUrl(1, 1));
}

} // namespace
