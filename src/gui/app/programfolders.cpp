#include "gui/app/programfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The same place under each XDG base folder; nothing when the base is unknown, so a path never
// starts at the root of the file system.
QString ProgramPathUnder(QStandardPaths::StandardLocation base, const QString &name) {
    const QString folder = QStandardPaths::writableLocation(base);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Brisvane Software/Tarnwick/") + name;
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
    return ProgramPathUnder(QStandardPaths::GenericDataLocation, QStringLiteral("browser"));
}

QString BrowserCacheFolder() {
    return ProgramPathUnder(QStandardPaths::GenericCacheLocation, QStringLiteral("browser"));
}

QString ResultsJournalFile() {
    return ProgramPathUnder(QStandardPaths::GenericDataLocation, QStringLiteral("results.journal"));
}
