#pragma once

#include "core/net/proxyvalues.h"

#include <QString>

#include <optional>

struct AppSettings;

// Sets an HTTP client's proxy from the user's proxy mode before each paced attempt. In list
// mode one object walks the list for the duration of one paced fetch: the first attempt takes
// the first usable line, every retry the next one, wrapping at the end.
class ProxyStep {
public:
    // False when the mode asks for a proxy but none can be taken (fixed mode without a host, or
    // a list without a usable line); the proxy values are then left as they were and the
    // attempt must not go out, so a request never goes direct behind the user's back.
    // With no mode set nothing changes.
    bool Apply(const AppSettings &settings, ProxyValues &proxy);

    int cursor() const { return m_cursor; }

private:
    bool ApplyNextListLine(const AppSettings &settings, ProxyValues &proxy);

    int m_cursor = -1;
};

// A port text as a number; 80 when it is not a decimal integer.
int ProxyPort(const QString &text);

// One line of the proxy list as the proxy step takes it: "host:port[:user:password]".
struct ProxyEntry {
    QString host;
    int port = 80;
    QString userName; // empty: the proxy needs no credentials
    QString password;
};

// The entry a list line holds, or nothing when the proxy step passes the line over (no ":", or
// no host before it, which would mean a direct connection).
std::optional<ProxyEntry> ParseProxyEntry(const QString &line);
