#include "flakyrelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
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

FlakyRelay::FlakyRelay(int backendPort, int dropCount) : m_backendPort(backendPort), m_dropCount(dropCount) {}

FlakyRelay::~FlakyRelay() {
    m_stopping = true;
    if (m_listenFd >= 0) {
        ::shutdown(m_listenFd, SHUT_RDWR);
    }
    if (m_acceptThread.joinable()) {
        m_acceptThread.join();
    }
    for (std::thread &relay : m_relays) {
        relay.join();
    }
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
    }
}

bool FlakyRelay::start() {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listenFd < 0) {
        return false;
    }
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof(address);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
        ::listen(m_listenFd, 16) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        return false;
    }
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return true;
}

void FlakyRelay::AcceptLoop() {
    while (!m_stopping) {
        const int client = ::accept(m_listenFd, nullptr, nullptr);
        if (client < 0) {
            return;
        }
        if (++m_accepted <= m_dropCount) {
            ::close(client);
            continue;
        }
        std::lock_guard lock(m_mutex);
        m_relays.emplace_back([this, client] { Relay(client); });
    }
}

void FlakyRelay::Relay(int client) {
    const int backend = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = LoopbackAddress(m_backendPort);
    if (backend < 0 || ::connect(backend, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) != 0) {
        ::close(client);
        if (backend >= 0) {
            ::close(backend);
        }
        return;
    }
    pollfd fds[2] = {{client, POLLIN, 0}, {backend, POLLIN, 0}};
    char buffer[16384];
    bool open = true;
    while (open && !m_stopping) {
        if (::poll(fds, 2, 50) <= 0) {
            continue;
        }
        for (int i = 0; i < 2 && open; ++i) {
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
                continue;
            }
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof(buffer));
            open = got > 0 && ::write(fds[1 - i].fd, buffer, static_cast<size_t>(got)) == got;
        }
    }
    ::close(client);
    ::close(backend);
}
