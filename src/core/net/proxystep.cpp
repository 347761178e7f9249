#include "core/net/proxystep.h"

#include "core/settings/appsettings.h"
#include "core/util/textcursor.h"

#include <QStringList>

int ProxyPort(const QString &text) {
    bool ok = false;
    const int port = text.toInt(&ok, 10);
    return ok ? port : 80;
}

bool ProxyStep::Apply(const AppSettings &settings, ProxyValues &proxy) {
    bool usable = true;
    if (settings.rUseProxy) {
        usable = !settings.eHost.trimmed().isEmpty();
        if (usable) {
            proxy.server = settings.eHost;
            proxy.port = ProxyPort(settings.ePort);
            if (settings.rAuthentification) {
                proxy.basicAuth = true;
                proxy.userName = settings.eUserName;
                proxy.password = settings.ePassword;
            }
        }
    }
    // List mode is applied last, so it wins when both modes are set.
    if (settings.rRandomProxy) {
        usable = ApplyNextListLine(settings, proxy);
    }
    return usable;
}

bool ProxyStep::ApplyNextListLine(const AppSettings &settings, ProxyValues &proxy) {
    const QStringList &lines = settings.eRandomProxies;
    const int count = static_cast<int>(lines.size());
    // One round of the ring at most: a list without a usable line ends the search.
    for (int visited = 0; visited < count; ++visited) {
        ++m_cursor;
        if (m_cursor >= count) {
            m_cursor = 0; // ">=" also covers a list shortened while a fetch was waiting
        }
        const std::optional<ProxyEntry> entry = ParseProxyEntry(lines.at(m_cursor));
        if (!entry) {
            continue;
        }
        proxy.server = entry->host;
        proxy.port = entry->port;
        proxy.basicAuth = !entry->userName.isEmpty();
        if (proxy.basicAuth) {
            proxy.userName = entry->userName;
            proxy.password = entry->password;
        }
        return true;
    }
    return false;
}

std::optional<ProxyEntry> ParseProxyEntry(const QString &line) {
    QStringList pieces;
    SplitText(line, QStringLiteral(":"), pieces);
    if (pieces.size() < 2) {
        return std::nullopt;
    }
    ProxyEntry entry;
    entry.host = pieces.at(0).trimmed();
    if (entry.host.isEmpty()) {
        return std::nullopt;
    }
    entry.port = ProxyPort(pieces.at(1).trimmed());
    if (pieces.size() >= 4) {
        entry.userName = pieces.at(2);
        entry.password = pieces.at(3);
    }
    return entry;
}
