#pragma once

#include <QString>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A server that takes connections and never answers: the kernel accepts them into the listen
// queue, and nobody reads.
class SilentServer {
public:
    SilentServer() {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr *>(&address), length) == 0 && ::listen(m_socket, 16) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    ~SilentServer() { ::close(m_socket); }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }

private:
    int m_socket = -1;
    int m_port = 0;
};
