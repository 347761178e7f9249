#pragma once

#include <QString>

#include <httplib.h>

#include <memory>
#include <thread>

// An HTTP (or HTTPS) server on 127.0.0.1 at a free port, serving on its own thread for the
// life of the object. Register handlers on server() before calling start().
class LoopbackServer {
public:
    // Plain HTTP.
    LoopbackServer();
    // HTTPS with the given certificate and key files (PEM).
    LoopbackServer(const QString &certificateFile, const QString &keyFile);
    ~LoopbackServer();

    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    httplib::Server &server() { return *m_server; }
    // Binds and starts serving; returns false when no port could be bound.
    bool start();
    void stop();

    int port() const { return m_port; }
    bool isHttps() const { return m_https; }
    // "http://127.0.0.1:PORT" (or https), no trailing slash.
    QString base() const;
    // base() followed by path, which starts with "/".
    QString url(const QString &path) const { return base() + path; }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
    bool m_https = false;
};
