#include "core/app/openlink.h"
#include "core/host/hostintegration.h"
#include "core/host/hostservices.h"
#include "core/host/linuxhost.h"
#include "core/settings/uitexts.h"
#include "support/fakehost.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value) : m_name(name), m_old(qgetenv(name)) {
        m_had = qEnvironmentVariableIsSet(name);
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had = false;
};

class LinuxHostRegistry : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath(u"registry.ini"_s); }
};

TEST_F(LinuxHostRegistry, WrittenValuesPersistAcrossInstances) {
    ASSERT_TRUE(dir.isValid());
    {
        LinuxHost host(file());
        ASSERT_TRUE(host.writeCurrentUserDword(BrowserEmulationKey.toString(), u"Tarnwick.exe"_s, 11001));
    }
    ASSERT_TRUE(QFile::exists(file()));
    const QSettings store(file(), QSettings::IniFormat);
    const QString key = LinuxHost::StoreKey(u"HKEY_CURRENT_USER"_s, BrowserEmulationKey.toString(), u"Tarnwick.exe"_s);
    EXPECT_EQ(store.value(key).toUInt(), 11001u);
}

TEST_F(LinuxHostRegistry, DefaultValuesAreReadFromTheStore) {
    ASSERT_TRUE(dir.isValid());
    {
        QSettings store(file(), QSettings::IniFormat);
        store.setValue(LinuxHost::StoreKey(u"HKEY_CLASSES_ROOT"_s, InternetExplorerCommandKey.toString(), {}),
                       uR"("C:\IE\iexplore.exe" %1)"_s);
    }
    LinuxHost host(file());
    EXPECT_EQ(host.readClassesRootDefault(InternetExplorerCommandKey.toString()), uR"("C:\IE\iexplore.exe" %1)"_s);
    EXPECT_EQ(host.readClassesRootDefault(u"http\\shell\\open\\command"_s), QString());
    // Linux files carry no version record, so the lookup ends at "0".
    EXPECT_EQ(GetIEVersion(host), u"0"_s);
}

TEST_F(LinuxHostRegistry, EmulationLevelIsStoredUnderBothNames) {
    ASSERT_TRUE(dir.isValid());
    LinuxHost host(file());
    SetIERegistryKey(host, GetIEVersion(host));
    const QSettings store(file(), QSettings::IniFormat);
    for (const QString &name : {u"Tarnwick.exe"_s, host.executableName()}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(store.value(LinuxHost::StoreKey(u"HKEY_CURRENT_USER"_s, BrowserEmulationKey.toString(), name)),
                  QVariant(8000u).toString());
    }
}

TEST_F(LinuxHostRegistry, AStoreThatCannotBeWrittenReportsFailure) {
    ASSERT_TRUE(dir.isValid());
    QFile blocker(dir.filePath(u"not-a-folder"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LinuxHost host(dir.filePath(u"not-a-folder/registry.ini"_s));
    EXPECT_FALSE(host.writeCurrentUserDword(BrowserEmulationKey.toString(), u"Tarnwick.exe"_s, 8000));
}

TEST_F(LinuxHostRegistry, DefaultStoreLivesInTheProgramsDataFolder) {
    ASSERT_TRUE(dir.isValid());
    ScopedEnv config("XDG_CONFIG_HOME", (dir.path() + u"/config/"_s).toLocal8Bit());
    LinuxHost host;
    EXPECT_EQ(host.appDataFolder(), dir.path() + u"/config"_s);
    EXPECT_EQ(host.registryFile(), dir.path() + u"/config/Brisvane Software/Tarnwick/registry.ini"_s);
    ASSERT_TRUE(host.writeCurrentUserDword(BrowserEmulationKey.toString(), u"Tarnwick.exe"_s, 9999));
    EXPECT_TRUE(QFile::exists(host.registryFile()));
}

class LinuxHostSystem : public ::testing::Test {
protected:
    QTemporaryDir dir;

    // A program that records how many arguments it got and each of them, NUL-separated.
    QString writeRecorder(const QString &name) {
        const QString path = dir.filePath(name);
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly)) {
            return {};
        }
        const QString out = dir.filePath(u"argv"_s);
        script.write("#!/bin/sh\nout='" + out.toLocal8Bit() +
                     "'\n{ printf '%s\\0' \"$#\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > \"$out.tmp\"\n"
                     "mv \"$out.tmp\" \"$out\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // The recorded arguments, once the detached program has written them.
    QStringList recordedArguments() {
        QFile file(dir.filePath(u"argv"_s));
        const QDeadlineTimer deadline(20000);
        while (!file.exists() && !deadline.hasExpired()) {
            QThread::msleep(10);
        }
        if (!file.open(QIODevice::ReadOnly)) {
            return {u"<nothing recorded>"_s};
        }
        QStringList fields = QString::fromLocal8Bit(file.readAll()).split(QChar(0));
        fields.removeLast(); // behind the last NUL
        if (fields.isEmpty() || fields.front().toInt() != fields.size() - 1) {
            return {u"<argument count mismatch>"_s};
        }
        fields.removeFirst();
        return fields;
    }
};

const QString HostileAddress = u"https://x.example/a b;echo hi>&2 & \"q\" 'q' $(id) `id` *|cat"_s;

TEST_F(LinuxHostSystem, StartedProgramGetsEachArgumentUntouchedByAShell) {
    ASSERT_TRUE(dir.isValid());
    const QString recorder = writeRecorder(u"recorder"_s);
    LinuxHost host(dir.filePath(u"registry.ini"_s));
    ASSERT_TRUE(host.startProgram(recorder, {HostileAddress, QString()}));
    EXPECT_EQ(recordedArguments(), (QStringList{HostileAddress, QString()}));
}

TEST_F(LinuxHostSystem, LinksOpenThroughXdgOpenOnThePath) {
    ASSERT_TRUE(dir.isValid());
    const QString launcher = writeRecorder(u"xdg-open"_s);
    ScopedEnv path("PATH", dir.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    LinuxHost host(dir.filePath(u"registry.ini"_s));
    EXPECT_EQ(host.browserLauncher(), launcher);
    EXPECT_EQ(QCoro::waitFor(OpenUrlInBrowser(host, HostileAddress)).result, BrowserOpening::Result::Opened);
    EXPECT_EQ(recordedArguments(), QStringList{HostileAddress});
}

TEST_F(LinuxHostSystem, OnlyALauncherThatFailsIsShownAndTheBoxHoldsTheAddress) {
    ASSERT_TRUE(dir.isValid());
    ScopedEnv path("PATH", dir.path().toLocal8Bit());
    LinuxHost host(dir.filePath(u"registry.ini"_s));
    FakeDialogs dialogs;
    UiTexts texts;
    texts.setText(u"main120"_s, u"Not opened."_s);
    texts.setText(u"main121"_s, u"No launcher."_s);
    const auto open = [&](const QByteArray &launcher) {
        QFile script(dir.filePath(u"xdg-open"_s));
        script.remove();
        if (!launcher.isEmpty() && script.open(QIODevice::WriteOnly)) {
            script.write("#!/bin/sh\n" + launcher + '\n');
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        script.close();
        return QCoro::waitFor(OpenLink(host, dialogs, texts, u"www.example.com"_s, {})).result;
    };
    EXPECT_EQ(open("exit 0"), BrowserOpening::Result::Opened);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(open("exit 1"), BrowserOpening::Result::LauncherFailed);
    EXPECT_EQ(open("kill -9 $$"), BrowserOpening::Result::LauncherFailed);
    EXPECT_EQ(open({}), BrowserOpening::Result::NoLauncher);
    ASSERT_EQ(dialogs.shown.size(), 3);
    EXPECT_EQ(dialogs.shown[0].text + u'|' + dialogs.shown[0].detail, u"Not opened.|http://www.example.com"_s);
    EXPECT_EQ(dialogs.shown[2].text + u'|' + dialogs.shown[2].detail, u"No launcher.|http://www.example.com"_s);
}

// Closing the window must not wait for a launcher that never ends: the stop ends the wait at
// once and ends the launcher.
TEST_F(LinuxHostSystem, AStopEndsTheWaitForAProgramAndTheProgram) {
    ASSERT_TRUE(dir.isValid());
    LinuxHost host(dir.filePath(u"registry.ini"_s));
    const StopToken stop = StopToken::Create();
    QFile pid(dir.filePath(u"pid"_s));
    const QString hang = u"echo $$ > '"_s + pid.fileName() + u"'; exec /bin/sleep 60"_s;
    QCoro::Task<ProgramExit> run = host.runProgram(u"/bin/sh"_s, {u"-c"_s, hang}, stop);
    ASSERT_TRUE(QTest::qWaitFor([&pid] { return pid.size() > 0; }, 10000));
    stop.request();
    EXPECT_TRUE(run.isReady());
    EXPECT_EQ(QCoro::waitFor(run).kind, ProgramExit::Kind::Abandoned);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_NE(::kill(pid.readAll().trimmed().toInt(), 0), 0);
}

TEST_F(LinuxHostSystem, NoLauncherOnThePathMeansNone) {
    ASSERT_TRUE(dir.isValid());
    ScopedEnv path("PATH", dir.path().toLocal8Bit());
    LinuxHost host(dir.filePath(u"registry.ini"_s));
    EXPECT_EQ(host.browserLauncher(), QString());
    EXPECT_FALSE(host.startProgram(QString(), {u"https://x.example/"_s}));
}

TEST_F(LinuxHostSystem, NamesAndFoldersComeFromTheSystem) {
    LinuxHost host(u"unused.ini"_s);
    EXPECT_EQ(host.executableName(), u"test_host_linuxhost"_s);
    EXPECT_FALSE(host.fileVersion(QCoreApplication::applicationFilePath()).has_value());
    const QString documents = host.documentsFolder();
    EXPECT_FALSE(documents.isEmpty());
    EXPECT_FALSE(documents.endsWith(u'/'));
    EXPECT_EQ(GetDocumentsFolder(host), documents);
}

TEST_F(LinuxHostSystem, CacheClearingRunsTheGivenClearer) {
    LinuxHost host(u"unused.ini"_s);
    ClearUrlCache(host); // nothing to run yet
    int clears = 0;
    host.setBrowserCacheClearer([&clears] { ++clears; });
    ClearUrlCache(host);
    EXPECT_EQ(clears, 1);
}

} // namespace
