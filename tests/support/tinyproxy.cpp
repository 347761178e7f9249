#include "support/tinyproxy.h"

#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof(address);
    int port = -1;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}

namespace {

bool Accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return false;
    }
    const sockaddr_in address = LoopbackAddress(port);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

} // namespace

Tinyproxy::~Tinyproxy() {
    stop();
}

bool Tinyproxy::start(const QString &userName, const QString &password) {
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return false;
    }
    // The free port can be taken by someone else before the proxy binds it: try a few.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (startOnce(userName, password)) {
            return true;
        }
    }
    return false;
}

bool Tinyproxy::startOnce(const QString &userName, const QString &password) {
    stop();
    m_port = FreeLoopbackPort();
    if (m_port < 0) {
        m_error = QStringLiteral("no free port");
        return false;
    }
    if (!writeConfig(userName, password)) {
        return false;
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("tinyproxy"),
                    {QStringLiteral("-d"), QStringLiteral("-c"), m_dir.filePath(QStringLiteral("tinyproxy.conf"))});
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("tinyproxy did not start: ") + m_process.errorString();
        return false;
    }
    for (int wait = 0; wait < 250; ++wait) {
        if (m_process.state() != QProcess::Running) {
            m_error = QStringLiteral("tinyproxy ended: ") + QString::fromLocal8Bit(m_process.readAll());
            return false;
        }
        if (Accepts(m_port)) {
            return true;
        }
        QThread::msleep(20);
    }
    m_error = QStringLiteral("tinyproxy does not accept connections");
    stop();
    return false;
}

bool Tinyproxy::writeConfig(const QString &userName, const QString &password) {
    QFile config(m_dir.filePath(QStringLiteral("tinyproxy.conf")));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QStringLiteral("cannot write the configuration: ") + config.errorString();
        return false;
    }
    QString text =
        QStringLiteral("Port %1\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 60\nLogLevel Info\n"
                       "LogFile \"%2\"\nPidFile \"%3\"\n")
            .arg(m_port)
            .arg(m_dir.filePath(QStringLiteral("tinyproxy.log")), m_dir.filePath(QStringLiteral("tinyproxy.pid")));
    if (!userName.isEmpty()) {
        text += QStringLiteral("BasicAuth %1 %2\n").arg(userName, password);
    }
    return config.write(text.toUtf8()) >= 0;
}

void Tinyproxy::stop() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString Tinyproxy::log() const {
    QFile file(m_dir.filePath(QStringLiteral("tinyproxy.log")));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QStringList Tinyproxy::requests() const {
    // Log lines look like: CONNECT   Dec 09 05:54:11.075 [8191]: Request (file descriptor 5): GET http://... HTTP/1.1
    static const QString marker = QStringLiteral("): ");
    QStringList lines;
    const QStringList logLines = log().split(QLatin1Char('\n'));
    for (const QString &line : logLines) {
        const qsizetype request = line.indexOf(QLatin1String("Request (file descriptor"));
        if (request < 0) {
            continue;
        }
        const qsizetype start = line.indexOf(marker, request);
        if (start >= 0) {
            lines.append(line.mid(start + marker.size()).trimmed());
        }
    }
    return lines;
}
