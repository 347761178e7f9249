#pragma once

#include "core/async/stoptoken.h"
#include "core/host/programexit.h"

#include <QString>
#include <QStringList>
#include <qcoro/qcorotask.h>

#include <optional>

// The four numbers of a file's version record.
struct FileVersion {
    quint16 major = 0;
    quint16 minor = 0;
    quint16 build = 0;
    quint16 revision = 0;
};

// The narrow set of host-system operations the program needs. Everything else in the core
// reaches the system through this interface, so tests run against a substitute host.
class Host {
public:
    virtual ~Host() = default;

    // Registry substitute: a small key store. Keys are backslash-separated paths.
    virtual QString readClassesRootDefault(const QString &key) = 0;
    virtual bool writeCurrentUserDword(const QString &key, const QString &valueName, quint32 value) = 0;

    // The version record of a file, or nothing when it has none.
    virtual std::optional<FileVersion> fileVersion(const QString &path) = 0;

    // Empties the browser pane's HTTP cache; cookies stay.
    virtual void clearBrowserCache() = 0;

    // The program that opens web links in the user's default browser; empty when there is none.
    virtual QString browserLauncher() = 0;
    // Starts a program with the given arguments, each handed over as it is (never through a shell),
    // and does not wait for it. False when it could not be started; errorText then says why.
    virtual bool startProgram(const QString &program, const QStringList &arguments, QString *errorText = nullptr) = 0;
    // Runs a program the same way and completes when it has ended, so its exit status can be
    // judged; the caller goes on meanwhile. A requested stop completes the wait at once as
    // abandoned and ends the program.
    virtual QCoro::Task<ProgramExit> runProgram(const QString &program, const QStringList &arguments,
                                                StopToken stop) = 0;
    // The file name the running executable has (for instance "tarnwick").
    virtual QString executableName() = 0;

    // Per-user folders, without a trailing separator; empty when the system cannot name them.
    virtual QString documentsFolder() = 0;
    virtual QString appDataFolder() = 0;
};
