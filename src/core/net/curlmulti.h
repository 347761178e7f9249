#pragma once

#include "core/async/socketwatches.h"

#include <QObject>
#include <QTimer>

#include <curl/curl.h>

#include <functional>
#include <unordered_map>

// Drives libcurl's multi interface from the Qt event loop, the way libcurl asks for it: one
// socket notifier per socket and direction it wants watched, and one single-shot timer for the
// time-out it wants to hear about. Nothing here waits or polls; the event loop wakes it.
class CurlMulti : public QObject {
    Q_OBJECT

public:
    using Finished = std::function<void(CURLcode)>;

    explicit CurlMulti(QObject *parent = nullptr);
    ~CurlMulti() override;

    bool isValid() const { return m_multi != nullptr; }
    // Starts a transfer. finished is called from the event loop once libcurl has ended it, never
    // inside a call of this class, so it may start or end other transfers.
    bool Add(CURL *easy, Finished finished);
    // Ends a transfer at once (its connection closes) without calling its finished; harmless
    // when the transfer has ended already.
    void Remove(CURL *easy);
    int transferCount() const { return static_cast<int>(m_transfers.size()); }

Q_SIGNALS:
    // Data moved: emitted from the event loop once after a burst of socket activity, never
    // inside libcurl's work, so a receiver may end transfers or delete this object.
    void advanced();

private:
    static int OnSocket(CURL *easy, curl_socket_t socket, int what, void *self, void *socketData);
    static int OnTimer(CURLM *multi, long timeoutMs, void *self);
    void WatchSocket(curl_socket_t socket, int what);
    void Act(curl_socket_t socket, int events);
    void CollectFinished();

    CURLM *m_multi = nullptr;
    QTimer m_timer;
    QTimer m_advanced;
    SocketWatches m_watches{this, [this](qintptr socket, QSocketNotifier::Type type) {
                                Act(static_cast<curl_socket_t>(socket),
                                    type == QSocketNotifier::Read ? CURL_CSELECT_IN : CURL_CSELECT_OUT);
                            }};
    std::unordered_map<CURL *, Finished> m_transfers;
};
