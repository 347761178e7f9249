#include "core/net/curlmulti.h"

#include "core/net/curlhandle.h"

#include <QSocketNotifier>

#include <utility>

CurlMulti::CurlMulti(QObject *parent) : QObject(parent) {
    EnsureCurlGlobalInit();
    m_multi = curl_multi_init();
    if (m_multi == nullptr) {
        return;
    }
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlMulti::OnSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlMulti::OnTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Act(CURL_SOCKET_TIMEOUT, 0); });
    m_advanced.setSingleShot(true);
    connect(&m_advanced, &QTimer::timeout, this, &CurlMulti::advanced);
}

CurlMulti::~CurlMulti() {
    if (m_multi == nullptr) {
        return;
    }
    // Removing the transfers lets libcurl give back its sockets while this object still listens.
    while (!m_transfers.empty()) {
        Remove(m_transfers.begin()->first);
    }
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, nullptr);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, nullptr);
    curl_multi_cleanup(m_multi);
}

bool CurlMulti::Add(CURL *easy, Finished finished) {
    if (m_multi == nullptr || easy == nullptr) {
        return false;
    }
    m_transfers.emplace(easy, std::move(finished));
    if (curl_multi_add_handle(m_multi, easy) != CURLM_OK) {
        m_transfers.erase(easy);
        return false;
    }
    return true;
}

void CurlMulti::Remove(CURL *easy) {
    if (m_transfers.erase(easy) > 0) {
        curl_multi_remove_handle(m_multi, easy);
    }
}

int CurlMulti::OnSocket(CURL *, curl_socket_t socket, int what, void *self, void *) {
    static_cast<CurlMulti *>(self)->WatchSocket(socket, what);
    return 0;
}

int CurlMulti::OnTimer(CURLM *, long timeoutMs, void *self) {
    auto *multi = static_cast<CurlMulti *>(self);
    // libcurl must not be called back from inside its own call, so even "now" goes through the
    // event loop.
    if (timeoutMs < 0) {
        multi->m_timer.stop();
    } else {
        multi->m_timer.start(static_cast<int>(std::min<long>(timeoutMs, INT_MAX)));
    }
    return 0;
}

void CurlMulti::WatchSocket(curl_socket_t socket, int what) {
    m_watches.watch(socket, what == CURL_POLL_IN || what == CURL_POLL_INOUT,
                    what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
}

void CurlMulti::Act(curl_socket_t socket, int events) {
    int running = 0;
    curl_multi_socket_action(m_multi, socket, events, &running);
    CollectFinished();
    if (!m_advanced.isActive()) {
        m_advanced.start(0);
    }
}

void CurlMulti::CollectFinished() {
    int pending = 0;
    while (CURLMsg *message = curl_multi_info_read(m_multi, &pending)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        CURL *easy = message->easy_handle;
        const CURLcode code = message->data.result;
        const auto found = m_transfers.find(easy);
        if (found == m_transfers.end()) {
            continue;
        }
        Finished finished = std::move(found->second);
        Remove(easy);
        QMetaObject::invokeMethod(
            this, [finished = std::move(finished), code] { finished(code); }, Qt::QueuedConnection);
    }
}
