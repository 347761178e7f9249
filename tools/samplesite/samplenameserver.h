#pragma once

#include <QString>
#include <QThread>

#include <memory>

class LoopbackDns;

// The sample site's name server: a LoopbackDns on 127.0.0.1 holding the zones of
// SampleContacts::MailZones(), answering on a thread of its own, so it serves whether or not
// the caller's thread runs an event loop. start(), stop() and server() may be called from any
// thread, one at a time.
class SampleNameServer {
public:
    SampleNameServer();
    ~SampleNameServer();
    SampleNameServer(const SampleNameServer &) = delete;
    SampleNameServer &operator=(const SampleNameServer &) = delete;

    // Binds a free UDP port and returns once queries are answered; false when it cannot bind.
    bool start();
    void stop();
    // "127.0.0.1:PORT" while it serves, else empty.
    QString server() const { return m_server; }

private:
    QThread m_thread;
    // Lives on m_thread: created, asked and destroyed there only.
    std::unique_ptr<LoopbackDns> m_dns;
    // Runs the calls that touch m_dns on m_thread; deleted there when the thread ends.
    QObject *m_anchor = nullptr;
    QString m_server;
};
