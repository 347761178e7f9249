#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A tinyproxy HTTP proxy on 127.0.0.1 at a free port, run as a child process for the life of
// the object (or until stop()). It serves plain HTTP and HTTPS tunnels (CONNECT), optionally
// behind basic authentication, and logs every request to a file the test can read.
// A port on 127.0.0.1 that nothing listens on at the moment of the call; -1 on failure.
int FreeLoopbackPort();

class Tinyproxy {
public:
    Tinyproxy() = default;
    ~Tinyproxy();

    Tinyproxy(const Tinyproxy &) = delete;
    Tinyproxy &operator=(const Tinyproxy &) = delete;

    // Starts the proxy and waits until it accepts connections. With a user name, requests
    // must carry these credentials. False (see errorString()) when it could not be started.
    bool start(const QString &userName = {}, const QString &password = {});
    void stop();

    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1"); }
    QString errorString() const { return m_error; }

    // The whole log so far.
    QString log() const;
    // The request lines the proxy received, in order: "GET http://127.0.0.1:1234/ HTTP/1.1",
    // "CONNECT 127.0.0.1:1234 HTTP/1.1", ...
    QStringList requests() const;

private:
    bool startOnce(const QString &userName, const QString &password);
    bool writeConfig(const QString &userName, const QString &password);

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = -1;
    QString m_error;
};
