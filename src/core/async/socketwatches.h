#pragma once

#include <QSocketNotifier>

#include <functional>
#include <unordered_map>

// The sockets a C library asks the event loop to watch, each with a notifier for reading and one
// for writing, made when first wanted and owned by owner.
class SocketWatches {
public:
    using Activated = std::function<void(qintptr socket, QSocketNotifier::Type type)>;

    SocketWatches(QObject *owner, Activated activated) : m_owner(owner), m_activated(std::move(activated)) {}
    SocketWatches(const SocketWatches &) = delete;
    SocketWatches &operator=(const SocketWatches &) = delete;

    // Watches socket for what is wanted; wanting neither ends its watch.
    void watch(qintptr socket, bool read, bool write);
    void unwatch(qintptr socket);

private:
    struct Watch {
        QSocketNotifier *read = nullptr;
        QSocketNotifier *write = nullptr;
    };

    void Want(QSocketNotifier *&notifier, qintptr socket, QSocketNotifier::Type type, bool wanted);

    QObject *m_owner;
    Activated m_activated;
    std::unordered_map<qintptr, Watch> m_watches;
};
