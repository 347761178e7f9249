#include "support/loopbackserver.h"

#include <chrono>

LoopbackServer::LoopbackServer() : m_server(std::make_unique<httplib::Server>()) {}

LoopbackServer::LoopbackServer(const QString &certificateFile, const QString &keyFile)
    : m_server(std::make_unique<httplib::SSLServer>(certificateFile.toLocal8Bit().constData(),
                                                    keyFile.toLocal8Bit().constData())),
      m_https(true) {}

LoopbackServer::~LoopbackServer() {
    stop();
}

bool LoopbackServer::start() {
    if (!m_server->is_valid()) {
        return false;
    }
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port < 0) {
        return false;
    }
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() is a no-op until the server runs, so a stop right after start would never return.
    while (!m_server->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void LoopbackServer::stop() {
    if (m_thread.joinable()) {
        m_server->stop();
        m_thread.join();
    }
}

QString LoopbackServer::base() const {
    return (m_https ? QStringLiteral("https://127.0.0.1:") : QStringLiteral("http://127.0.0.1:")) +
           QString::number(m_port);
}
