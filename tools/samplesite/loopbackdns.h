#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

// A DNS server on 127.0.0.1 at a free UDP port, answering from a table on the thread that owns
// it: MX and address records; a name in the table without records of the asked type gets an
// empty answer, a name not in it "no such domain", and a silent name no answer at all. A name
// "*.domain" stands for every name below domain that the table does not hold itself; the nearest
// such wildcard answers.
class LoopbackDns {
public:
    LoopbackDns();
    bool start();
    // "127.0.0.1:PORT", as a resolver's server list takes it.
    QString server() const;
    // Every query received, answered or not.
    int queryCount() const { return m_queries; }

    // An empty exchanger is a null MX (the root).
    void addMx(const QString &name, const QString &exchanger, quint16 preference = 10);
    // A or AAAA, after the address's protocol.
    void addAddress(const QString &name, const QHostAddress &address);
    void addName(const QString &name) { m_names[name.toLower()]; }
    void addSilent(const QString &name) { m_names[name.toLower()].silent = true; }

private:
    struct Records {
        QList<QByteArray> mx;
        QList<QHostAddress> addresses;
        bool silent = false;
    };

    void Answer();
    QByteArray Reply(const QByteArray &query) const;
    // The records of name, its own or its nearest wildcard's; null for a name that does not exist.
    const Records *Find(const QString &name) const;

    QUdpSocket m_socket;
    QHash<QString, Records> m_names;
    int m_queries = 0;
};
