#include "core/host/hostintegration.h"
#include "support/fakehost.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString CommandKey = InternetExplorerCommandKey.toString();
const QString EmulationKey = BrowserEmulationKey.toString();

class BrowserEmulationTable : public ::testing::Test {};

TEST_F(BrowserEmulationTable, VersionPrefixesChooseTheValue) {
    const struct {
        QString version;
        quint32 value;
    } cases[] = {
        {u"12.0.1.2"_s, 12001},
        {u"11.0.9600.18537"_s, 11001},
        {u"10.0.9200.16384"_s, 10001},
        {u"9.0.8112.16421"_s, 9999},
        {u"8.0.7601.17514"_s, 8000},
        {u"7.0.6000.16386"_s, 8000},
        {u"0"_s, 8000},
        {QString(), 8000},
        {u"1"_s, 8000},
        {u"110"_s, 11001},
        {u"95"_s, 9999},
        {u" 11"_s, 8000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        EXPECT_EQ(BrowserEmulationValue(c.version), c.value);
    }
}

class InternetExplorerLookup : public ::testing::Test {
protected:
    FakeHost host;
};

TEST_F(InternetExplorerLookup, QuotedCommandGivesThePathWithoutQuoteOrArguments) {
    host.classesRoot[CommandKey] = uR"("C:\Program Files\Internet Explorer\iexplore.exe" %1)"_s;
    EXPECT_EQ(GetIEPath(host), uR"(C:\Program Files\Internet Explorer\iexplore.exe)"_s);
}

TEST_F(InternetExplorerLookup, TheFirstCharacterIsAlwaysDropped) {
    host.classesRoot[CommandKey] = uR"(C:\IE\iexplore.exe)"_s;
    EXPECT_EQ(GetIEPath(host), uR"(:\IE\iexplore.exe)"_s);
    host.classesRoot[CommandKey] = u"iexplore.exe -nohome"_s;
    EXPECT_EQ(GetIEPath(host), u"iexplore.exe"_s);
}

TEST_F(InternetExplorerLookup, MissingOrUpperCaseCommandGivesNoPath) {
    EXPECT_EQ(GetIEPath(host), QString());
    host.classesRoot[CommandKey] = uR"("C:\IE\IEXPLORE.EXE" %1)"_s;
    EXPECT_EQ(GetIEPath(host), QString());
}

TEST_F(InternetExplorerLookup, VersionIsReadFromTheFilesVersionRecord) {
    host.classesRoot[CommandKey] = uR"("C:\IE\iexplore.exe" %1)"_s;
    host.fileVersions[uR"(C:\IE\iexplore.exe)"_s] = FileVersion{11, 0, 9600, 18537};
    EXPECT_EQ(GetIEVersion(host), u"11.0.9600.18537"_s);
}

TEST_F(InternetExplorerLookup, NoPathOrNoVersionRecordGivesZero) {
    EXPECT_EQ(GetIEVersion(host), u"0"_s);
    host.classesRoot[CommandKey] = uR"("C:\IE\iexplore.exe" %1)"_s;
    EXPECT_EQ(GetIEVersion(host), u"0"_s);
}

class BrowserEmulationSetting : public ::testing::Test {
protected:
    FakeHost host;
};

TEST_F(BrowserEmulationSetting, ValueIsWrittenUnderTheFixedAndTheRunningName) {
    host.exeName = u"tarnwick"_s;
    SetIERegistryKey(host, u"11.0.9600.18537"_s);
    const QMap<QString, quint32> expected{{u"Tarnwick.exe"_s, 11001}, {u"tarnwick"_s, 11001}};
    EXPECT_EQ(host.currentUser.value(EmulationKey), expected);
    EXPECT_EQ(host.currentUser.size(), 1);
}

TEST_F(BrowserEmulationSetting, RunningUnderTheFixedNameWritesItOnce) {
    host.exeName = u"Tarnwick.exe"_s;
    SetIERegistryKey(host, u"9.0"_s);
    EXPECT_EQ(host.currentUser.value(EmulationKey), (QMap<QString, quint32>{{u"Tarnwick.exe"_s, 9999}}));
}

TEST_F(BrowserEmulationSetting, AKeyThatCannotBeWrittenIsSkipped) {
    host.failRegistryWrites = true;
    SetIERegistryKey(host, u"11.0"_s);
    EXPECT_TRUE(host.currentUser.isEmpty());
}

TEST_F(BrowserEmulationSetting, UpperCaseBrowserCommandEndsAtTheLowestLevel) {
    host.classesRoot[CommandKey] = uR"("C:\IE\IEXPLORE.EXE" %1)"_s;
    host.fileVersions[uR"(C:\IE\IEXPLORE.EXE)"_s] = FileVersion{11, 0, 9600, 1};
    const QString version = GetIEVersion(host);
    EXPECT_EQ(version, u"0"_s);
    SetIERegistryKey(host, version);
    EXPECT_EQ(host.currentUser.value(EmulationKey).value(u"Tarnwick.exe"_s), 8000u);
}

TEST_F(BrowserEmulationSetting, ClearingTheCacheGoesToTheHostOnce) {
    ClearUrlCache(host);
    EXPECT_EQ(host.cacheClears, 1);
}

} // namespace
