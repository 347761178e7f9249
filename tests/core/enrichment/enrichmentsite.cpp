#include "enrichmentsite.h"

#include <QFile>

SiteServer::SiteServer() {
    m_server.server().Get(".*", [this](const httplib::Request &request, httplib::Response &response) {
        const std::lock_guard lock(m_mutex);
        m_targets.append(QString::fromStdString(request.target));
        const auto route = m_routes.find(request.path);
        if (route == m_routes.end()) {
            response.status = 404;
            return;
        }
        response.status = route->second.status;
        if (!route->second.location.empty()) {
            response.set_header("Location", route->second.location);
        }
        response.set_content(route->second.body, route->second.contentType.c_str());
    });
    m_running = m_server.start();
}

void SiteServer::Serve(const QString &path, const QByteArray &body, const QByteArray &contentType) {
    const std::lock_guard lock(m_mutex);
    m_routes[path.toStdString()] = Reply{200, body.toStdString(), contentType.toStdString(), {}};
}

void SiteServer::Fail(const QString &path, int status) {
    const std::lock_guard lock(m_mutex);
    m_routes[path.toStdString()] = Reply{status, "failure", "text/plain", {}};
}

void SiteServer::Redirect(const QString &path, const QString &location, int status) {
    const std::lock_guard lock(m_mutex);
    m_routes[path.toStdString()] = Reply{status, "moved", "text/plain", location.toStdString()};
}

QStringList SiteServer::Targets() const {
    const std::lock_guard lock(m_mutex);
    return m_targets;
}

QStringList SiteServer::Paths() const {
    QStringList paths = Targets();
    for (QString &path : paths) {
        path = path.section(u'?', 0, 0);
    }
    return paths;
}

QCoro::Task<FetchResult> RecordingFetcher::DownloadURL(QString AURL, bool UseUTF8, StopToken stop) {
    calls.append({false, AURL, UseUTF8});
    FetchResult result = co_await m_inner.DownloadURL(AURL, UseUTF8, stop);
    if (afterFetch) {
        afterFetch(AURL);
    }
    co_return result;
}

QCoro::Task<FetchResult> RecordingFetcher::DirectDownloadURL(QString AURL, bool UseUTF8, StopToken stop) {
    calls.append({true, AURL, UseUTF8});
    FetchResult result = co_await m_inner.DirectDownloadURL(AURL, UseUTF8, stop);
    if (afterFetch) {
        afterFetch(AURL);
    }
    co_return result;
}

QByteArray TestDataFile(const QString &name) {
    QString folder = qEnvironmentVariable("TARNWICK_TEST_DATA");
    if (folder.isEmpty()) {
        folder = QStringLiteral(TARNWICK_SOURCE_TEST_DATA);
    }
    QFile file(folder + u"/enrichment/" + name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}
