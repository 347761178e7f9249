#include "samplesite/loopbackdns.h"

#include <QDataStream>
#include <QNetworkDatagram>

namespace {

constexpr quint16 TypeA = 1;
constexpr quint16 TypeMx = 15;
constexpr quint16 TypeAaaa = 28;

QByteArray EncodeName(const QString &name) {
    QByteArray encoded;
    for (const QString &label : name.split(u'.', Qt::SkipEmptyParts)) {
        encoded += char(label.size()) + label.toLatin1();
    }
    return encoded + '\0';
}

} // namespace

LoopbackDns::LoopbackDns() {
    QObject::connect(&m_socket, &QUdpSocket::readyRead, &m_socket, [this] { Answer(); });
}

bool LoopbackDns::start() {
    return m_socket.bind(QHostAddress::LocalHost, 0);
}

QString LoopbackDns::server() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_socket.localPort());
}

void LoopbackDns::addMx(const QString &name, const QString &exchanger, quint16 preference) {
    QByteArray data;
    QDataStream(&data, QIODevice::WriteOnly) << preference;
    m_names[name.toLower()].mx.append(data + EncodeName(exchanger));
}

void LoopbackDns::addAddress(const QString &name, const QHostAddress &address) {
    m_names[name.toLower()].addresses.append(address);
}

void LoopbackDns::Answer() {
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        ++m_queries;
        const QByteArray reply = Reply(datagram.data());
        if (!reply.isEmpty()) {
            m_socket.writeDatagram(datagram.makeReply(reply));
        }
    }
}

// The reply to one query: its question echoed, then the table's records; empty for no reply.
QByteArray LoopbackDns::Reply(const QByteArray &query) const {
    QString name;
    qsizetype at = 12;
    while (at < query.size() && query.at(at) != 0) {
        const int length = quint8(query.at(at));
        name += (name.isEmpty() ? QString() : QStringLiteral(".")) + QString::fromLatin1(query.mid(at + 1, length));
        at += 1 + length;
    }
    const qsizetype questionEnd = at + 5;
    if (questionEnd > query.size()) {
        return {};
    }
    const quint16 type = quint16(quint8(query.at(at + 1)) << 8 | quint8(query.at(at + 2)));
    const Records *found = Find(name.toLower());
    if (found != nullptr && found->silent) {
        return {};
    }
    QList<QByteArray> records;
    if (found != nullptr && type == TypeMx) {
        records = found->mx;
    }
    for (const QHostAddress &address : found != nullptr ? found->addresses : QList<QHostAddress>()) {
        const bool v4 = address.protocol() == QAbstractSocket::IPv4Protocol;
        if (type == (v4 ? TypeA : TypeAaaa)) {
            const Q_IPV6ADDR v6 = address.toIPv6Address();
            records.append(v4 ? QByteArray(reinterpret_cast<const char *>(v6.c) + 12, 4)
                              : QByteArray(reinterpret_cast<const char *>(v6.c), 16));
        }
    }
    QByteArray reply;
    QDataStream out(&reply, QIODevice::WriteOnly);
    // Response, authoritative, recursion available, the query's recursion flag; else no such name.
    const quint16 flags = 0x8480 | (quint8(query.at(3)) & 0x01) << 8 | (found == nullptr ? 3 : 0);
    out << quint16(quint8(query.at(0)) << 8 | quint8(query.at(1))) << flags << quint16(1) << quint16(records.size())
        << quint32(0);
    out.writeRawData(query.constData() + 12, int(questionEnd - 12));
    for (const QByteArray &data : records) {
        out << quint16(0xC00C) << type << quint16(1) << quint32(60) << quint16(data.size());
        out.writeRawData(data.constData(), int(data.size()));
    }
    return reply;
}

const LoopbackDns::Records *LoopbackDns::Find(const QString &name) const {
    const auto own = m_names.constFind(name);
    if (own != m_names.cend()) {
        return &*own;
    }
    for (qsizetype dot = name.indexOf(u'.'); dot >= 0; dot = name.indexOf(u'.', dot + 1)) {
        const auto wildcard = m_names.constFind(u"*" + name.mid(dot));
        if (wildcard != m_names.cend()) {
            return &*wildcard;
        }
    }
    return nullptr;
}
