#include "testsite.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

std::string FixturePage(const std::string &name) {
    QFile file(QStringLiteral(BROWSER_TEST_DATA "/") + QString::fromStdString(name));
    if (name.find('/') != std::string::npos || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

} // namespace

TestSite &TestSite::Instance() {
    static TestSite site;
    return site;
}

TestSite::TestSite() {
    httplib::Server &server = m_server.server();
    server.set_logger([this](const httplib::Request &request, const httplib::Response &) {
        std::string path = request.path;
        if (!request.params.empty()) {
            path += '?';
            bool first = true;
            for (const auto &[key, value] : request.params) {
                path += (first ? "" : "&") + key + '=' + value;
                first = false;
            }
        }
        record(QString::fromStdString(path), QString::fromStdString(request.get_header_value("User-Agent")));
    });
    server.Get(R"(/pages/([A-Za-z0-9._-]+))", [](const httplib::Request &request, httplib::Response &response) {
        const std::string page = FixturePage(request.matches[1]);
        if (page.empty()) {
            response.status = 404;
            return;
        }
        response.set_content(page, "text/html; charset=utf-8");
    });
    server.Get("/redirect", [](const httplib::Request &, httplib::Response &response) {
        response.set_redirect("/pages/target.html");
    });
    server.Get("/no-body.svg", [](const httplib::Request &, httplib::Response &response) {
        response.set_content(R"(<svg xmlns="http://www.w3.org/2000/svg"><text y="20">No body</text></svg>)",
                             "image/svg+xml");
    });
    server.Get("/set-cookies", [](const httplib::Request &, httplib::Response &response) {
        response.set_header("Set-Cookie", "signin=kept; Max-Age=86400; Path=/");
        response.set_header("Set-Cookie", "session=alive; Path=/");
        response.set_content("<html><body><p>Signed in</p></body></html>", "text/html");
    });
    server.Get("/echo-cookies", [](const httplib::Request &request, httplib::Response &response) {
        std::string cookies = request.get_header_value("Cookie");
        response.set_content("<html><body><pre>" + cookies + "</pre></body></html>", "text/html");
    });
    server.Get("/cached.js", [](const httplib::Request &, httplib::Response &response) {
        response.set_header("Cache-Control", "max-age=86400");
        response.set_content("window.cachedScriptRan = true;", "application/javascript");
    });
    server.Get("/favicon.ico", [](const httplib::Request &, httplib::Response &response) { response.status = 404; });
    if (!m_server.start()) {
        ADD_FAILURE() << "the loopback site could not start";
    }
}

void TestSite::record(const QString &path, const QString &userAgent) {
    std::lock_guard lock(m_mutex);
    m_paths.append(path);
    m_lastUserAgent = userAgent;
}

QStringList TestSite::requestedPaths() const {
    std::lock_guard lock(m_mutex);
    return m_paths;
}

int TestSite::requestCount(const QString &path) const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_paths.count(path));
}

QString TestSite::lastUserAgent() const {
    std::lock_guard lock(m_mutex);
    return m_lastUserAgent;
}
