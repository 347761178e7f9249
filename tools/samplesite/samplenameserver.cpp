#include "samplesite/samplenameserver.h"

#include "samplesite/loopbackdns.h"
#include "samplesite/samplecontacts.h"

#include <QHostAddress>

namespace {

// Any exchanger will do: the check asks only whether there is one.
const QString exchanger = QStringLiteral("mx.example.com");

void AddZones(LoopbackDns &dns) {
    for (const SampleContacts::MailZone &zone : SampleContacts::MailZones()) {
        const QString name = zone.name.toString();
        if (zone.status == MailServerStatus::HasMx) {
            dns.addMx(name, exchanger);
        } else if (zone.status == MailServerStatus::NoMxAFallback) {
            dns.addAddress(name, QHostAddress(QHostAddress::LocalHost));
        } else {
            dns.addName(name);
        }
    }
}

} // namespace

SampleNameServer::SampleNameServer() {
    m_thread.setObjectName(QStringLiteral("sample name server"));
}

SampleNameServer::~SampleNameServer() {
    stop();
}

bool SampleNameServer::start() {
    if (m_thread.isRunning()) {
        return !m_server.isEmpty();
    }
    m_anchor = new QObject;
    m_anchor->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_anchor, &QObject::deleteLater);
    m_thread.start();
    QString server;
    QMetaObject::invokeMethod(
        m_anchor,
        [this, &server] {
            m_dns = std::make_unique<LoopbackDns>();
            AddZones(*m_dns);
            if (m_dns->start()) {
                server = m_dns->server();
            } else {
                m_dns.reset();
            }
        },
        Qt::BlockingQueuedConnection);
    m_server = server;
    if (m_server.isEmpty()) {
        stop();
    }
    return !m_server.isEmpty();
}

void SampleNameServer::stop() {
    if (!m_thread.isRunning()) {
        return;
    }
    QMetaObject::invokeMethod(
        m_anchor, [this] { m_dns.reset(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_anchor = nullptr;
    m_server.clear();
}
