#include "core/host/linuxhost.h"

#include "core/async/completion.h"
#include "core/host/hostservices.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace {

// How long a killed program may take to be reaped; the kernel ends it at once.
constexpr int KilledReapMs = 1000;

// Keeps "/" itself, drops the separator behind any other folder.
QString WithoutTrailingSeparator(QString path) {
    while (path.size() > 1 && path.endsWith(u'/')) {
        path.chop(1);
    }
    return path;
}

} // namespace

LinuxHost::LinuxHost(QString registryFile) : m_registryFile(std::move(registryFile)) {}

QString LinuxHost::registryFile() {
    if (!m_registryFile.isEmpty()) {
        return m_registryFile;
    }
    const QString folder = AppDataFolder(*this);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/registry.ini");
}

QString LinuxHost::StoreKey(const QString &root, const QString &key, const QString &valueName) {
    // QSettings separates groups with "/"; a registry path separates them with "\".
    QString path = root + u'/' + QString(key).replace(u'\\', u'/');
    // The default value has no name; "@" stands for it, as in exported registry files.
    return path + u'/' + (valueName.isEmpty() ? QStringLiteral("@") : valueName);
}

QString LinuxHost::readClassesRootDefault(const QString &key) {
    const QString file = registryFile();
    if (file.isEmpty()) {
        return {};
    }
    const QSettings store(file, QSettings::IniFormat);
    return store.value(StoreKey(QStringLiteral("HKEY_CLASSES_ROOT"), key, {})).toString();
}

bool LinuxHost::writeCurrentUserDword(const QString &key, const QString &valueName, quint32 value) {
    const QString file = registryFile();
    if (file.isEmpty()) {
        return false;
    }
    QSettings store(file, QSettings::IniFormat);
    if (!store.isWritable()) {
        return false;
    }
    store.setValue(StoreKey(QStringLiteral("HKEY_CURRENT_USER"), key, valueName), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

std::optional<FileVersion> LinuxHost::fileVersion(const QString &) {
    // Linux executables carry no version record.
    return std::nullopt;
}

void LinuxHost::clearBrowserCache() {
    if (m_cacheClearer) {
        m_cacheClearer();
    }
}

QString LinuxHost::browserLauncher() {
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
}

bool LinuxHost::startProgram(const QString &program, const QStringList &arguments, QString *errorText) {
    const auto fail = [errorText](const QString &reason) {
        if (errorText != nullptr) {
            *errorText = reason;
        }
        return false;
    };
    if (program.isEmpty()) {
        return fail(QStringLiteral("no program is named"));
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached()) {
        return fail(process.errorString());
    }
    return true;
}

QCoro::Task<ProgramExit> LinuxHost::runProgram(const QString &program, const QStringList &arguments, StopToken stop) {
    using Kind = ProgramExit::Kind;
    if (program.isEmpty()) {
        co_return ProgramExit{Kind::NotStarted, 0, QStringLiteral("no program is named")};
    }
    if (stop.requested()) {
        co_return ProgramExit{Kind::Abandoned, 0, {}};
    }
    const Completion<ProgramExit> done;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // No pipes: a browser the launcher starts inherits its output, and must not hold a pipe of ours.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    // Resolved on a later turn of the event loop: the waiter ends this frame, and with it the
    // process, which must not be deleted inside its own signal.
    const auto deliver = [&process, done](ProgramExit exit) {
        QMetaObject::invokeMethod(
            &process, [done, exit] { done.resolve(exit); }, Qt::QueuedConnection);
    };
    QObject::connect(&process, &QProcess::finished, &process,
                     [deliver, &process](int code, QProcess::ExitStatus status) {
                         deliver(status == QProcess::NormalExit ? ProgramExit{Kind::Exited, code, {}}
                                                                : ProgramExit{Kind::Crashed, 0, process.errorString()});
                     });
    QObject::connect(&process, &QProcess::errorOccurred, &process, [deliver, &process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            deliver(ProgramExit{Kind::NotStarted, 0, process.errorString()});
        }
    });
    const StopCallback onStop(stop, [done] { done.resolve(ProgramExit{Kind::Abandoned, 0, {}}); });
    process.start();
    const ProgramExit exit = co_await done;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        // Reaps the killed program, so it leaves no zombie; not a wait for the program itself.
        process.waitForFinished(KilledReapMs);
    }
    co_return exit;
}

QString LinuxHost::executableName() {
    if (QCoreApplication::instance()) {
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    }
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).fileName();
}

QString LinuxHost::documentsFolder() {
    if (!m_documentsFolder.isEmpty()) {
        return m_documentsFolder;
    }
    return WithoutTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString LinuxHost::appDataFolder() {
    return WithoutTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
