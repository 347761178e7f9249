#include "gui/browser/browserprofile.h"
#include "gui/browser/signedinpagereader.h"
#include "support/loopbackserver.h"

#include <QNetworkCookie>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

namespace {

// Draws the overview 300 ms after the load, as the signed-in page does; the size has a second dd.
const char *const aboutPage = R"(<html><body><main><h2>Overview</h2></main><script>
setTimeout(function () {
  document.querySelector('main').insertAdjacentHTML('beforeend',
    '<dl><dt> Website </dt><dd><a href="/redir/redirect?url=https%3A%2F%2Facme.example">acme.example</a></dd>' +
    '<dt>Company size</dt><dd>51-200\n employees</dd><dd>1,234 associated members</dd>' +
    '<dt>Industry</dt><div>aside</div><dd>Machinery</dd></dl>');
}, 300);
</script></body></html>)";

class SignedInPageReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.server().Get("/company/acme/about/", [](const httplib::Request &request, httplib::Response &response) {
            // Only the member's session sees the page.
            if (request.get_header_value("Cookie").find("li_at=member") == std::string::npos) {
                response.set_redirect("/login?session_redirect=%2Fcompany%2Facme%2Fabout%2F");
                return;
            }
            response.set_content(aboutPage, "text/html");
        });
        server.server().Get("/company/blank/about/", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("<html><body><dl><dt>Phone</dt><dd>1</dd></dl></body></html>", "text/html");
        });
        server.server().Get("/login", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("<html><body>Sign in</body></html>", "text/html");
        });
        ASSERT_TRUE(server.start());
        reader.setRenderTimeout(1500);
    }

    // The store applies the cookie before the profile's first request.
    void signIn() {
        profile.profile()->cookieStore()->setCookie(QNetworkCookie("li_at", "member"), QUrl(server.base()));
    }

    SignedInPage read(const QString &path, StopToken stop = {}) {
        return QCoro::waitFor(reader.readAboutPage(server.url(path), stop));
    }

    LoopbackServer server;
    BrowserProfile profile{QString(), QString()};
    SignedInPageReader reader{profile};
};

TEST_F(SignedInPageReaderTest, WaitsForTheOverviewInTheMembersSession) {
    signIn();

    const SignedInPage page = read(QStringLiteral("/company/acme/about/"));

    ASSERT_TRUE(page.ok()) << page.error.toStdString();
    EXPECT_EQ(page.finalUrl, server.url(QStringLiteral("/company/acme/about/")));
    ASSERT_EQ(page.overview.size(), 3);
    EXPECT_EQ(page.overview[0].label, u"Website");
    EXPECT_EQ(page.overview[0].href, server.url(QStringLiteral("/redir/redirect?url=https%3A%2F%2Facme.example")));
    EXPECT_EQ(page.overview[1].text, u"51-200 employees");
    EXPECT_EQ(page.overview[2].text, u"Machinery");
}

TEST_F(SignedInPageReaderTest, RedirectToSignInShowsInTheFinalAddress) {
    const SignedInPage page = read(QStringLiteral("/company/acme/about/"));

    ASSERT_TRUE(page.ok()) << page.error.toStdString();
    EXPECT_TRUE(QUrl(page.finalUrl).path() == u"/login") << page.finalUrl.toStdString();
    EXPECT_TRUE(page.overview.isEmpty());
}

TEST_F(SignedInPageReaderTest, PageWithoutAnOverviewGivesWhatItHasAfterTheRenderTimeOut) {
    reader.setRenderTimeout(600);

    const SignedInPage page = read(QStringLiteral("/company/blank/about/"));

    ASSERT_TRUE(page.ok()) << page.error.toStdString();
    ASSERT_EQ(page.overview.size(), 1);
    EXPECT_EQ(page.overview[0].label, u"Phone");
}

TEST_F(SignedInPageReaderTest, CallsTakeTurnsAndAStoppedOneEndsWithAnError) {
    signIn();
    const StopToken stop = StopToken::Create();
    QCoro::Task<SignedInPage> first = reader.readAboutPage(server.url(QStringLiteral("/company/acme/about/")), {});
    QCoro::Task<SignedInPage> stopped = reader.readAboutPage(server.url(QStringLiteral("/company/blank/about/")), stop);
    QCoro::Task<SignedInPage> third = reader.readAboutPage(server.url(QStringLiteral("/company/acme/about/")), {});
    stop.request();

    EXPECT_EQ(QCoro::waitFor(first).overview.size(), 3);
    EXPECT_FALSE(QCoro::waitFor(stopped).ok());
    EXPECT_EQ(QCoro::waitFor(third).overview.size(), 3);
    EXPECT_FALSE(read(QStringLiteral("/unreachable"), stop).ok());
}

TEST_F(SignedInPageReaderTest, LoadThatNeverEndsTimesOut) {
    server.server().Get("/company/slow/about/", [](const httplib::Request &, httplib::Response &response) {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        response.set_content("<html></html>", "text/html");
    });
    reader.setLoadTimeout(500);

    EXPECT_FALSE(read(QStringLiteral("/company/slow/about/")).ok());
}

TEST_F(SignedInPageReaderTest, ClosingTheReaderEndsItsCallsFirst) {
    auto closing = std::make_unique<SignedInPageReader>(profile);
    QCoro::Task<SignedInPage> loading = closing->readAboutPage(server.url(QStringLiteral("/company/blank/about/")), {});
    QCoro::Task<SignedInPage> waiting = closing->readAboutPage(server.url(QStringLiteral("/company/blank/about/")), {});
    QTest::qWait(100);

    closing.reset();

    EXPECT_TRUE(loading.isReady() && waiting.isReady());
    EXPECT_FALSE(QCoro::waitFor(loading).ok());
    EXPECT_FALSE(QCoro::waitFor(waiting).ok());
}

} // namespace
