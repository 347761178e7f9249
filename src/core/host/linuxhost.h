#pragma once

#include "core/host/host.h"

#include <functional>

// The host on a Linux desktop. The registry is substituted by a small INI key store in the
// program's data folder; links open through xdg-open; folders follow the XDG locations.
class LinuxHost : public Host {
public:
    // registryFile: the key store's file; empty means "registry.ini" in the program's data folder.
    explicit LinuxHost(QString registryFile = {});

    // The GUI hands over what empties the browser profile's HTTP cache (cookies stay).
    void setBrowserCacheClearer(std::function<void()> clearer) { m_cacheClearer = std::move(clearer); }
    // The key store's file; empty when no data folder is known.
    QString registryFile();
    // Fixes the documents folder, whatever HOME and the XDG folders say later; empty follows them.
    void setDocumentsFolder(QString folder) { m_documentsFolder = std::move(folder); }

    QString readClassesRootDefault(const QString &key) override;
    bool writeCurrentUserDword(const QString &key, const QString &valueName, quint32 value) override;
    std::optional<FileVersion> fileVersion(const QString &path) override;
    void clearBrowserCache() override;
    QString browserLauncher() override;
    bool startProgram(const QString &program, const QStringList &arguments, QString *errorText = nullptr) override;
    // A stop kills the program: it is a launcher that hangs or waits for the browser it started,
    // and only the launcher is killed, so a browser it started stays open.
    QCoro::Task<ProgramExit> runProgram(const QString &program, const QStringList &arguments, StopToken stop) override;
    QString executableName() override;
    QString documentsFolder() override;
    QString appDataFolder() override;

    // How a registry key and value name are stored in the key store.
    static QString StoreKey(const QString &root, const QString &key, const QString &valueName);

private:
    QString m_registryFile;
    QString m_documentsFolder;
    std::function<void()> m_cacheClearer;
};
