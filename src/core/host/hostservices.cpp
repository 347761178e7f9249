#include "core/host/hostservices.h"

#include "core/host/host.h"

#include <QRegularExpression>
#include <QUrl>

QString BrowserAddress(const QString &address) {
    const QString text = address.trimmed();
    // Addresses come from scraped pages; one that starts with "-" would reach the launcher as an
    // option rather than an address.
    if (text.isEmpty() || text.startsWith(u'-')) {
        return {};
    }
    // A scheme is letters before a colon; "host:8080" names a port, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?![0-9])"));
    QString candidate = text;
    if (const QRegularExpressionMatch match = scheme.match(text); match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name != u"http" && name != u"https") {
            return {};
        }
    } else {
        candidate = (text.startsWith(u"//") ? QStringLiteral("http:") : QStringLiteral("http://")) + text;
    }
    if (QUrl(candidate).host().isEmpty()) {
        return {};
    }
    return candidate;
}

void OpenUrlInBrowser(Host &host, const QString &address) {
    const QString launcher = host.browserLauncher();
    const QString webAddress = BrowserAddress(address);
    if (launcher.isEmpty() || webAddress.isEmpty()) {
        return;
    }
    host.startProgram(launcher, {webAddress});
}

void PumpDelay(Host &host, int durationMs) {
    const quint32 start = host.tickCount();
    host.processEvents();
    if (durationMs <= 0) {
        return;
    }
    const auto duration = static_cast<quint32>(durationMs);
    // Unsigned subtraction is modulo 2^32, so a wrap of the counter during the wait is harmless.
    for (quint32 elapsed = host.tickCount() - start; elapsed < duration; elapsed = host.tickCount() - start) {
        host.waitForEvents(static_cast<int>(duration - elapsed));
    }
}

QString GetDocumentsFolder(Host &host) {
    return host.documentsFolder();
}

QString GetAppDataFolder(Host &host) {
    return host.appDataFolder();
}

QString AppDataFolder(Host &host) {
    const QString base = GetAppDataFolder(host);
    // Without a base the name alone would point at the root of the file system.
    if (base.isEmpty()) {
        return {};
    }
    return base + QStringLiteral("/Brisvane Software/Tarnwick");
}
