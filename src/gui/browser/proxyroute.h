#pragma once

#include <QString>

// Where the browser pane's connections go: direct when host is empty, otherwise through the
// HTTP proxy host:port, with Basic credentials when userName is not empty.
struct ProxyRoute {
    QString host;
    quint16 port = 80;
    QString userName;
    QString password;

    bool direct() const { return host.isEmpty(); }
    bool operator==(const ProxyRoute &) const = default;
};
