#include "core/host/hostservices.h"

#include "core/host/host.h"

void OpenUrlInBrowser(Host &host, const QString &address) {
    const QString launcher = host.browserLauncher();
    // Addresses come from scraped pages; one that starts with "-" would reach the launcher as an
    // option rather than an address.
    if (launcher.isEmpty() || address.startsWith(QLatin1Char('-'))) {
        return;
    }
    host.startProgram(launcher, {address});
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

QString BrowserProfileFolder(Host &host) {
    const QString dataFolder = AppDataFolder(host);
    return dataFolder.isEmpty() ? QString() : dataFolder + QStringLiteral("/browser");
}
