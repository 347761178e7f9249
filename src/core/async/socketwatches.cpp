#include "core/async/socketwatches.h"

void SocketWatches::watch(qintptr socket, bool read, bool write) {
    if (!read && !write) {
        unwatch(socket);
        return;
    }
    Watch &watch = m_watches[socket];
    Want(watch.read, socket, QSocketNotifier::Read, read);
    Want(watch.write, socket, QSocketNotifier::Write, write);
}

void SocketWatches::unwatch(qintptr socket) {
    const auto found = m_watches.find(socket);
    if (found == m_watches.end()) {
        return;
    }
    // Possibly inside the notifier's own signal: it goes later, silenced now, so a new socket
    // that gets the same number is not reported to it.
    for (QSocketNotifier *notifier : {found->second.read, found->second.write}) {
        if (notifier != nullptr) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    m_watches.erase(found);
}

void SocketWatches::Want(QSocketNotifier *&notifier, qintptr socket, QSocketNotifier::Type type, bool wanted) {
    if (wanted && notifier == nullptr) {
        notifier = new QSocketNotifier(socket, type, m_owner);
        QObject::connect(notifier, &QSocketNotifier::activated, m_owner,
                         [this, socket, type] { m_activated(socket, type); });
    }
    if (notifier != nullptr) {
        notifier->setEnabled(wanted);
    }
}
