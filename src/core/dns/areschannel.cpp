#include "core/dns/areschannel.h"

#include "core/async/completion.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>

namespace {

constexpr int ClassInternet = 1;

// Once per process, before the first channel; never undone, as channels may live to the end.
int EnsureAresLibraryInit() {
    static const int status = ares_library_init(ARES_LIB_INIT_ALL);
    return status;
}

} // namespace

AresChannel::AresChannel(const QString &servers, int tryTimeoutMs, QObject *parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Process(ARES_SOCKET_BAD, ARES_SOCKET_BAD); });
    int status = EnsureAresLibraryInit();
    if (status != ARES_SUCCESS) {
        m_error = QString::fromUtf8(ares_strerror(status));
        return;
    }
    ares_options options{};
    options.sock_state_cb = &AresChannel::OnSocketState;
    options.sock_state_cb_data = this;
    options.timeout = std::max(tryTimeoutMs, 1);
    options.tries = 2;
    ares_channel channel = nullptr;
    status = ares_init_options(&channel, &options, ARES_OPT_SOCK_STATE_CB | ARES_OPT_TIMEOUTMS | ARES_OPT_TRIES);
    if (status != ARES_SUCCESS) {
        m_error = QString::fromUtf8(ares_strerror(status));
        return;
    }
    if (!servers.isEmpty()) {
        status = ares_set_servers_ports_csv(channel, servers.toLatin1().constData());
        if (status != ARES_SUCCESS) {
            m_error = QStringLiteral("%1: %2").arg(servers, QString::fromUtf8(ares_strerror(status)));
            ares_destroy(channel);
            return;
        }
    }
    m_channel = channel;
}

AresChannel::~AresChannel() {
    m_timer.stop();
    if (m_channel != nullptr) {
        ares_destroy(std::exchange(m_channel, nullptr));
    }
}

void AresChannel::Query(const QByteArray &name, int type, Completion<DnsAnswer> answer) {
    if (m_channel == nullptr) {
        answer.resolve(DnsAnswer{ARES_ENOTINITIALIZED, {}});
        return;
    }
    // Owned by c-ares until it calls OnAnswer, which it does exactly once, also on destruction.
    auto *pending = new Completion<DnsAnswer>(std::move(answer));
    ares_query(m_channel, name.constData(), ClassInternet, type, &AresChannel::OnAnswer, pending);
    ArmTimer();
}

void AresChannel::OnSocketState(void *self, ares_socket_t socket, int readable, int writable) {
    static_cast<AresChannel *>(self)->WatchSocket(socket, readable != 0, writable != 0);
}

void AresChannel::OnAnswer(void *pending, int status, int, unsigned char *reply, int length) {
    const std::unique_ptr<Completion<DnsAnswer>> answer(static_cast<Completion<DnsAnswer> *>(pending));
    DnsAnswer value{status, {}};
    if (reply != nullptr && length > 0) {
        value.reply = QByteArray(reinterpret_cast<const char *>(reply), length);
    }
    // Destruction is a cancel and answers at once; anything else leaves c-ares's stack first, so
    // the waiter may query again or destroy the channel.
    if (status == ARES_EDESTRUCTION) {
        answer->resolve(std::move(value));
        return;
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [answer = *answer, value = std::move(value)] { answer.resolve(value); },
        Qt::QueuedConnection);
}

void AresChannel::WatchSocket(ares_socket_t socket, bool readable, bool writable) {
    m_watches.watch(socket, readable, writable);
}

void AresChannel::Process(ares_socket_t readable, ares_socket_t writable) {
    if (m_channel == nullptr) {
        return;
    }
    ares_process_fd(m_channel, readable, writable);
    ArmTimer();
}

void AresChannel::ArmTimer() {
    timeval wait{};
    if (ares_timeout(m_channel, nullptr, &wait) == nullptr) {
        m_timer.stop();
        return;
    }
    const qint64 ms = qint64(wait.tv_sec) * 1000 + (wait.tv_usec + 999) / 1000;
    m_timer.start(static_cast<int>(std::min<qint64>(ms, INT_MAX)));
}
