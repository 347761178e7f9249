#include "core/util/codepage.h"
#include "netfixture.h"

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

namespace {

std::string Header(const httplib::Request &request, const char *name) {
    return request.has_header(name) ? request.get_header_value(name) : std::string("(none)");
}

} // namespace

// What a fetch sends and how the reply comes back.
class FetchReply : public NetTest {
protected:
    void SetUp() override {
        server.server().Get("/echo", [](const httplib::Request &request, httplib::Response &response) {
            const std::string text =
                "Accept=" + Header(request, "Accept") + "\nUser-Agent=" + Header(request, "User-Agent") +
                "\nPragma=" + Header(request, "Pragma") + "\nCache-Control=" + Header(request, "Cache-Control");
            response.set_content(text, "text/plain");
        });
        server.server().Get("/set-cookie", [](const httplib::Request &, httplib::Response &response) {
            response.set_header("Set-Cookie", "session=abc123; Path=/");
            response.set_content("set", "text/plain");
        });
        server.server().Get("/show-cookie", [](const httplib::Request &request, httplib::Response &response) {
            response.set_content(Header(request, "Cookie"), "text/plain");
        });
        server.server().Get("/r1", [](const httplib::Request &, httplib::Response &response) {
            response.set_redirect("/r2", 302);
            response.set_content("first hop", "text/plain");
        });
        server.server().Get("/r2", [](const httplib::Request &, httplib::Response &response) {
            response.set_redirect("/r3", 301);
            response.set_content("second hop", "text/plain");
        });
        server.server().Get("/r3", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("end of the chain", "text/plain");
        });
        server.server().Get("/missing", [](const httplib::Request &, httplib::Response &response) {
            response.status = 404;
            response.set_content("not here", "text/plain");
        });
        server.server().Get("/broken", [](const httplib::Request &, httplib::Response &response) {
            response.status = 500;
            response.set_content("server error", "text/plain");
        });
        server.server().Get("/port", [](const httplib::Request &request, httplib::Response &response) {
            response.set_content(std::to_string(request.remote_port), "text/plain");
        });
        server.server().Get("/utf8-bare", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("caf\xC3\xA9", "text/html");
        });
        server.server().Get("/latin1", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("caf\xE9", "text/html; charset=\"ISO-8859-1\"");
        });
        server.server().Get("/utf8-declared", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("caf\xC3\xA9", "text/html; charset=utf-8");
        });
        // The request target as it arrived, before the server decodes it.
        for (const char *path : {"/with space", "/caf\xC3\xA9", "/ok"}) {
            server.server().Get(path, [](const httplib::Request &request, httplib::Response &response) {
                response.set_content(request.target, "text/plain");
            });
        }
        StartServer();
        CodePage::setCurrent(CodePage::named("windows-1252"));
    }
    void TearDown() override { CodePage::resetCurrent(); }
};

TEST_F(FetchReply, SendsAcceptUserAgentAndNoCacheHeaders) {
    for (const bool direct : {true, false}) {
        QString source;
        ASSERT_TRUE(direct ? downloader.DirectDownloadURL(Url("/echo"), source, false)
                           : downloader.DownloadURL(Url("/echo"), source, false));
        EXPECT_EQ(source, QStringLiteral("Accept=text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\n"
                                         "User-Agent=Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)\n"
                                         "Pragma=no-cache\nCache-Control=no-cache"));
    }
}

TEST_F(FetchReply, KeepsCookiesForLaterRequests) {
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/show-cookie"), source, false));
    EXPECT_EQ(source, QStringLiteral("(none)"));
    ASSERT_TRUE(downloader.DownloadURL(Url("/set-cookie"), source, false));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/show-cookie"), source, false));
    EXPECT_EQ(source, QStringLiteral("session=abc123"));
}

TEST_F(FetchReply, FollowsARedirectChainAndReturnsTheLastBody) {
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/r1"), source, false));
    EXPECT_EQ(source, QStringLiteral("end of the chain"));
}

TEST_F(FetchReply, ErrorStatusFailsAndKeepsTheOldSource) {
    for (const char *path : {"/missing", "/broken"}) {
        QString source = QStringLiteral("before");
        EXPECT_FALSE(downloader.DownloadURL(Url(path), source, false)) << path;
        EXPECT_FALSE(downloader.DirectDownloadURL(Url(path), source, false)) << path;
        EXPECT_EQ(source, QStringLiteral("before"));
    }
}

TEST_F(FetchReply, AddressWithCharactersLibcurlRefusesGoesOutEncodedAsABrowserSendsIt) {
    for (const bool direct : {true, false}) {
        QString source;
        ASSERT_TRUE(direct ? downloader.DirectDownloadURL(Url("/with space?q=a b"), source, false)
                           : downloader.DownloadURL(Url("/with space?q=a b"), source, false));
        EXPECT_EQ(source, QStringLiteral("/with%20space?q=a%20b"));
    }
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(server.url(QStringLiteral("/caf\u00E9?q=\"%41\"&x=<b>")), source, false));
    EXPECT_EQ(source, QStringLiteral("/caf%C3%A9?q=%22%41%22&x=%3Cb%3E"));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/ok?a=1#part") + QStringLiteral(" \r\n"), source, false));
    EXPECT_EQ(source, QStringLiteral("/ok?a=1"));
}

TEST_F(FetchReply, TellsTheAddressTheReplyFinallyCameFrom) {
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/r1"), source, false));
    EXPECT_EQ(downloader.last().effectiveUrl, Url("/r3"));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/r2"), source, false));
    EXPECT_EQ(downloader.last().effectiveUrl, Url("/r3"));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/echo"), source, false));
    EXPECT_EQ(downloader.last().effectiveUrl, Url("/echo"));
}

TEST_F(FetchReply, OpensANewConnectionForEveryFetch) {
    std::set<QString> ports;
    for (int i = 0; i < 3; ++i) {
        QString source;
        ASSERT_TRUE(i % 2 == 0 ? downloader.DownloadURL(Url("/port"), source, false)
                               : downloader.DirectDownloadURL(Url("/port"), source, false));
        ports.insert(source);
    }
    EXPECT_EQ(ports.size(), 3u);
}

TEST_F(FetchReply, Utf8WithoutCharsetIsRecoveredOnlyWhenAskedFor) {
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/utf8-bare"), source, false));
    EXPECT_EQ(source, QStringLiteral("caf\u00C3\u00A9"));
    ASSERT_TRUE(downloader.DownloadURL(Url("/utf8-bare"), source, true));
    EXPECT_EQ(source, QStringLiteral("caf\u00E9"));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/utf8-bare"), source, true));
    EXPECT_EQ(source, QStringLiteral("caf\u00E9"));
}

TEST_F(FetchReply, DeclaredCharsetDecidesWithoutUtf8) {
    QString source;
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/latin1"), source, false));
    EXPECT_EQ(source, QStringLiteral("caf\u00E9"));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/utf8-declared"), source, false));
    EXPECT_EQ(source, QStringLiteral("caf\u00E9"));
    // Read as UTF-8 whatever is declared: a Latin-1 byte is no valid UTF-8.
    ASSERT_TRUE(downloader.DownloadURL(Url("/latin1"), source, true));
    EXPECT_EQ(source, QStringLiteral("caf\uFFFD"));
}

// Addresses are checked before anything else happens.
class SchemeCheck : public NetTest {
protected:
    void SetUp() override {
        server.server().Get("/page", [this](const httplib::Request &, httplib::Response &response) {
            ++hits;
            response.set_content("page", "text/plain");
        });
        StartServer();
    }
    std::atomic<int> hits{0};
};

TEST_F(SchemeCheck, AddressWithoutSchemeEmptiesSourceWithoutRequest) {
    const QString bare = QStringLiteral("127.0.0.1:%1/page").arg(server.port());
    for (const bool direct : {true, false}) {
        QString source = QStringLiteral("old");
        EXPECT_FALSE(direct ? downloader.DirectDownloadURL(bare, source, false)
                            : downloader.DownloadURL(bare, source, false));
        EXPECT_TRUE(source.isEmpty());
    }
    EXPECT_EQ(hits, 0);
    EXPECT_TRUE(status.activityHistory.isEmpty());
}

TEST_F(SchemeCheck, CapitalSchemePasses) {
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(QStringLiteral("HTTP://127.0.0.1:%1/page").arg(server.port()), source, false));
    EXPECT_EQ(source, QStringLiteral("page"));
}

TEST_F(SchemeCheck, OtherSchemeStartingWithHttpPassesTheCheckButFails) {
    QString source = QStringLiteral("old");
    EXPECT_FALSE(
        downloader.DirectDownloadURL(QStringLiteral("httpx://127.0.0.1:%1/page").arg(server.port()), source, false));
    EXPECT_EQ(source, QStringLiteral("old"));
    EXPECT_EQ(status.activityHistory.value(0), QStringLiteral("T56"));
}

TEST_F(SchemeCheck, StopAlreadyRequestedMakesNoRequest) {
    stop.request();
    context.settings.rUseProxy = true;
    context.settings.eHost = QStringLiteral("127.0.0.1");
    context.settings.ePort = QStringLiteral("9");
    QString source = QStringLiteral("old");
    EXPECT_FALSE(downloader.DirectDownloadURL(Url("/page"), source, false));
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(source, QStringLiteral("old"));
    EXPECT_EQ(hits, 0);
    EXPECT_TRUE(status.activityHistory.isEmpty());
    // The proxy step still ran.
    EXPECT_EQ(downloader->proxy().server, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(downloader->proxy().port, 9);
}
