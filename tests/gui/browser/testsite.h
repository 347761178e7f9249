#pragma once

#include "support/loopbackserver.h"

#include <QString>
#include <QStringList>

#include <mutex>

// The loopback site the pane tests browse: the fixture pages of tests/data/browser under
// /pages/, plus a redirect, a document without a body (SVG), cookie pages and a cacheable script.
// It records every request it receives (path and user agent).
class TestSite {
public:
    static TestSite &Instance();

    QString url(const QString &path) const { return m_server.url(path); }
    // Paths requested so far, in order, query included.
    QStringList requestedPaths() const;
    int requestCount(const QString &path) const;
    QString lastUserAgent() const;

private:
    TestSite();
    void record(const QString &path, const QString &userAgent);

    LoopbackServer m_server;
    mutable std::mutex m_mutex;
    QStringList m_paths;
    QString m_lastUserAgent;
};
