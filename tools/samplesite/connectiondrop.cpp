#include "samplesite/connectiondrop.h"

#include <arpa/inet.h>
#include <charconv>
#include <filesystem>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <system_error>

namespace {

int PortOf(const sockaddr_storage &address) {
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in &>(address).sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6 &>(address).sin6_port);
    }
    return -1;
}

// Whether descriptor is a connected socket with these local and peer ports.
bool IsConnection(int descriptor, int localPort, int peerPort) {
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    if (getsockname(descriptor, reinterpret_cast<sockaddr *>(&address), &length) != 0 || PortOf(address) != localPort) {
        return false;
    }
    length = sizeof(address);
    return getpeername(descriptor, reinterpret_cast<sockaddr *>(&address), &length) == 0 && PortOf(address) == peerPort;
}

} // namespace

// httplib gives a handler no access to its socket. On loopback the pair of local and peer port
// names one connection, so the server's side is the descriptor whose own port is the request's
// local port and whose peer is the client's port (a client in this process has them the other
// way round). Shutting it down lets httplib close the descriptor as it always does.
bool DropConnection(const httplib::Request &request) {
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string name = entry.path().filename().string();
        int descriptor = -1;
        if (std::from_chars(name.data(), name.data() + name.size(), descriptor).ec != std::errc()) {
            continue;
        }
        if (IsConnection(descriptor, request.local_port, request.remote_port)) {
            return shutdown(descriptor, SHUT_RDWR) == 0;
        }
    }
    return false;
}
