#include "gui/app/programfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The same place under each XDG base folder; nothing when the base is unknown, so a path never
// starts at the root of the file system.
QString ProgramFolderUnder(QStandardPaths::StandardLocation base) {
    const QString folder = QStandardPaths::writableLocation(base);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Brisvane Software/Tarnwick/browser");
}

} // namespace

QString ProgramDataFolder(const QString &executableFolder) {
    const QString candidates[] = {executableFolder,
                                  QDir::cleanPath(executableFolder + QStringLiteral("/../share/tarnwick"))};
    for (const QString &folder : candidates) {
        if (QFileInfo(folder + QStringLiteral("/languages/en.dat")).isFile()) {
            return folder;
        }
    }
    return {};
}

QString BrowserStorageFolder() {
    return ProgramFolderUnder(QStandardPaths::GenericDataLocation);
}

QString BrowserCacheFolder() {
    return ProgramFolderUnder(QStandardPaths::GenericCacheLocation);
}
