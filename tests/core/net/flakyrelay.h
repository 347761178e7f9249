#pragma once

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// A TCP relay on 127.0.0.1 in front of a backend port. The first `dropCount` connections are
// closed as soon as they are accepted (a TLS client sees its handshake fail); later ones are
// relayed to the backend byte for byte.
class FlakyRelay {
public:
    FlakyRelay(int backendPort, int dropCount);
    ~FlakyRelay();

    FlakyRelay(const FlakyRelay &) = delete;
    FlakyRelay &operator=(const FlakyRelay &) = delete;

    bool start();
    int port() const { return m_port; }
    int accepted() const { return m_accepted; }

private:
    void AcceptLoop();
    void Relay(int client);

    int m_backendPort;
    int m_dropCount;
    int m_listenFd = -1;
    int m_port = -1;
    std::atomic<int> m_accepted{0};
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;
    std::mutex m_mutex;
    std::vector<std::thread> m_relays;
};
