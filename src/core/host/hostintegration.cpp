#include "core/host/hostintegration.h"

#include "core/host/host.h"

#include <QStringList>

void ClearUrlCache(Host &host) {
    host.clearBrowserCache();
}

QString GetIEPath(Host &host) {
    const QString command = host.readClassesRootDefault(InternetExplorerCommandKey.toString());
    const QString fileName = QStringLiteral("iexplore.exe");
    const qsizetype at = command.indexOf(fileName, 0, Qt::CaseSensitive);
    if (at < 0) {
        return {};
    }
    // The first character, the opening quote of a quoted command, is always dropped.
    return command.mid(1, qMax<qsizetype>(at - 1, 0)) + fileName;
}

QString GetIEVersion(Host &host) {
    const QString path = GetIEPath(host);
    if (path.isEmpty()) {
        return QStringLiteral("0");
    }
    const std::optional<FileVersion> version = host.fileVersion(path);
    if (!version) {
        return QStringLiteral("0");
    }
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version->major)
        .arg(version->minor)
        .arg(version->build)
        .arg(version->revision);
}

quint32 BrowserEmulationValue(const QString &ieVersion) {
    if (ieVersion.startsWith(u"12")) {
        return 12001;
    }
    if (ieVersion.startsWith(u"11")) {
        return 11001;
    }
    if (ieVersion.startsWith(u"10")) {
        return 10001;
    }
    if (ieVersion.startsWith(u'9')) {
        return 9999;
    }
    return 8000;
}

void SetIERegistryKey(Host &host, const QString &ieVersion) {
    const quint32 value = BrowserEmulationValue(ieVersion);
    QStringList names{QStringLiteral("Tarnwick.exe")};
    const QString running = host.executableName();
    if (!running.isEmpty() && !names.contains(running)) {
        names.append(running);
    }
    const QString key = BrowserEmulationKey.toString();
    for (const QString &name : names) {
        // A key that cannot be written once will not take the other names either.
        if (!host.writeCurrentUserDword(key, name, value)) {
            return;
        }
    }
}
