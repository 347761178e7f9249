#pragma once

#include "core/async/socketwatches.h"
#include "core/dns/dnsanswer.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <ares.h>
#include <unordered_map>

// Kept out of this header: moc cannot read <coroutine>.
template<typename T>
class Completion;

// Owns a c-ares channel and drives it from the Qt event loop: one socket notifier per socket and
// direction c-ares wants watched, and one single-shot timer for its next time-out. Nothing here
// blocks or polls.
class AresChannel : public QObject {
    Q_OBJECT

public:
    // servers: empty for the system's resolver configuration, else c-ares's list of servers
    // ("127.0.0.1:5353", "[::1]:53,10.0.0.1"). tryTimeoutMs bounds each attempt at a server.
    AresChannel(const QString &servers, int tryTimeoutMs, QObject *parent = nullptr);
    // Queries still pending are answered ARES_EDESTRUCTION inside the destructor.
    ~AresChannel() override;
    AresChannel(const AresChannel &) = delete;
    AresChannel &operator=(const AresChannel &) = delete;

    bool isValid() const { return m_channel != nullptr; }
    // Why the channel could not start; empty when it did.
    QString errorString() const { return m_error; }

    // Asks for records of type (15 for MX, 1 for A, 28 for AAAA) of name, an ASCII domain, without the
    // search list. The answer resolves from the event loop, never inside this call or inside
    // c-ares's processing; at once when the channel is not valid.
    void Query(const QByteArray &name, int type, Completion<DnsAnswer> answer);

private:
    static void OnSocketState(void *self, ares_socket_t socket, int readable, int writable);
    static void OnAnswer(void *pending, int status, int timeouts, unsigned char *reply, int length);
    void WatchSocket(ares_socket_t socket, bool readable, bool writable);
    void Process(ares_socket_t readable, ares_socket_t writable);
    void ArmTimer();

    ares_channel m_channel = nullptr;
    QString m_error;
    QTimer m_timer;
    SocketWatches m_watches{this, [this](qintptr socket, QSocketNotifier::Type type) {
                                const auto ready = static_cast<ares_socket_t>(socket);
                                const bool read = type == QSocketNotifier::Read;
                                Process(read ? ready : ARES_SOCKET_BAD, read ? ARES_SOCKET_BAD : ready);
                            }};
};
