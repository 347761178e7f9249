#include "core/settings/settingsstore.h"
#include "core/util/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDocuments = u"/home/someone/Documents"_s;

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        CodePage::setCurrent(CodePage::named("UTF-8"));
        m_path = SettingsFilePath(m_dir.path());
    }
    void TearDown() override { CodePage::resetCurrent(); }

    void writeFile(const QByteArray &bytes) const {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // Writes text as lines joined by CR LF, in UTF-8.
    void writeLines(const QStringList &lines) const { writeFile((lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8()); }
    QByteArray fileBytes() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    LoadSettingsResult load() { return LoadSettings(m_loaded, m_path, kDocuments); }

    static AppSettings defaults() {
        AppSettings settings;
        settings.eExportFields = CountColumns();
        settings.eExportFolder = kDocuments;
        return settings;
    }

    QTemporaryDir m_dir;
    QString m_path;
    AppSettings m_loaded;
};

void ExpectSameSettings(const AppSettings &actual, const AppSettings &expected) {
    EXPECT_EQ(actual.rNoProxy, expected.rNoProxy);
    EXPECT_EQ(actual.rUseProxy, expected.rUseProxy);
    EXPECT_EQ(actual.rAuthentification, expected.rAuthentification);
    EXPECT_EQ(actual.eHost, expected.eHost);
    EXPECT_EQ(actual.ePort, expected.ePort);
    EXPECT_EQ(actual.eUserName, expected.eUserName);
    EXPECT_EQ(actual.ePassword, expected.ePassword);
    EXPECT_EQ(actual.rRandomProxy, expected.rRandomProxy);
    EXPECT_EQ(actual.eRandomProxies, expected.eRandomProxies);
    EXPECT_EQ(actual.eExportFields, expected.eExportFields);
    EXPECT_EQ(actual.eRandom, expected.eRandom);
    EXPECT_EQ(actual.cExtractEmails, expected.cExtractEmails);
    EXPECT_EQ(actual.cCompleteFromGoogle, expected.cCompleteFromGoogle);
    EXPECT_EQ(actual.cExportManually, expected.cExportManually);
    EXPECT_EQ(actual.cExportAutomatic, expected.cExportAutomatic);
    EXPECT_EQ(actual.eExportFolder, expected.eExportFolder);
    EXPECT_EQ(actual.eDelimiter, expected.eDelimiter);
    EXPECT_EQ(actual.CurrLang, expected.CurrLang);
    EXPECT_EQ(actual.eHourBudget, expected.eHourBudget);
    EXPECT_EQ(actual.eDayBudget, expected.eDayBudget);
    EXPECT_EQ(actual.eExportFormat, expected.eExportFormat);
    EXPECT_EQ(actual.eQueuePause, expected.eQueuePause);
}

// Every value differs from its default.
AppSettings ChangedSettings() {
    AppSettings settings;
    settings.rNoProxy = false;
    settings.rUseProxy = true;
    settings.rAuthentification = true;
    settings.eHost = u"  127.0.0.1 "_s;
    settings.ePort = u"3128"_s;
    settings.eUserName = u"Jos\u00e9"_s;
    settings.ePassword = u"s3cr\u00e9t <%%>"_s;
    settings.rRandomProxy = true;
    settings.eRandomProxies = {u"127.0.0.1:8080"_s, u""_s, u"127.0.0.1:8081:user:pw"_s, u""_s};
    settings.eExportFields = u""_s;
    settings.eRandom = u"7"_s;
    settings.cExtractEmails = false;
    settings.cCompleteFromGoogle = false;
    settings.cExportManually = false;
    settings.cExportAutomatic = true;
    settings.eExportFolder = u" /data/leads folder "_s;
    settings.eDelimiter = u";"_s;
    settings.CurrLang = u"it"_s;
    settings.eHourBudget = 1;
    settings.eDayBudget = 100000;
    settings.eExportFormat = ExportFormat::Xlsx;
    settings.eQueuePause = u"45"_s;
    return settings;
}

using SettingsDefaults = SettingsStoreTest;
using SettingsSaving = SettingsStoreTest;
using SettingsRoundTrip = SettingsStoreTest;
using SettingsLoading = SettingsStoreTest;
using SettingsLoadingStops = SettingsStoreTest;

} // namespace

TEST(CountColumns, EveryColumnIndexJoinedByCommas) {
    EXPECT_EQ(CountColumns(), u"0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22"_s);
    EXPECT_EQ(CountColumns(1), u"0"_s);
    EXPECT_EQ(CountColumns(0), u""_s);
}

TEST(IsColumnSelected, WholeEntriesOnly) {
    const QString fields = u"0,2,10"_s;
    EXPECT_TRUE(IsColumnSelected(fields, 0));
    EXPECT_TRUE(IsColumnSelected(fields, 2));
    EXPECT_TRUE(IsColumnSelected(fields, 10));
    EXPECT_FALSE(IsColumnSelected(fields, 1));
    EXPECT_FALSE(IsColumnSelected(fields, 12));
    EXPECT_FALSE(IsColumnSelected(u"10,11"_s, 1));
    for (int i = 0; i < LeadRow::ColumnCount; ++i) {
        EXPECT_FALSE(IsColumnSelected(u""_s, i));
        EXPECT_TRUE(IsColumnSelected(CountColumns(), i));
    }
}

TEST_F(SettingsDefaults, NoFileGivesDefaultsAndSaysSo) {
    m_loaded = ChangedSettings();
    EXPECT_EQ(load().status, LoadSettingsResult::Status::NoFile);
    EXPECT_TRUE(m_loaded.rNoProxy);
    EXPECT_FALSE(m_loaded.rUseProxy);
    EXPECT_FALSE(m_loaded.rRandomProxy);
    EXPECT_EQ(m_loaded.ePort, u"80"_s);
    EXPECT_EQ(m_loaded.eRandom, u"3"_s);
    EXPECT_TRUE(m_loaded.cExtractEmails);
    EXPECT_TRUE(m_loaded.cCompleteFromGoogle);
    EXPECT_TRUE(m_loaded.cExportManually);
    EXPECT_FALSE(m_loaded.cExportAutomatic);
    EXPECT_EQ(m_loaded.eExportFolder, kDocuments);
    EXPECT_EQ(m_loaded.eDelimiter, u","_s);
    EXPECT_EQ(m_loaded.eExportFields, CountColumns());
    EXPECT_EQ(m_loaded.CurrLang, u"en"_s);
    EXPECT_TRUE(m_loaded.eHost.isEmpty() && m_loaded.eUserName.isEmpty() && m_loaded.ePassword.isEmpty());
    EXPECT_TRUE(m_loaded.eRandomProxies.isEmpty());
}

TEST_F(SettingsDefaults, UnreadableFileGivesDefaults) {
    ASSERT_TRUE(QDir().mkpath(m_path)); // a folder where the file should be
    m_loaded = ChangedSettings();
    const LoadSettingsResult result = load();
    EXPECT_EQ(result.status, LoadSettingsResult::Status::Unreadable);
    EXPECT_FALSE(result.errorString.isEmpty());
    ExpectSameSettings(m_loaded, defaults());
}

TEST_F(SettingsSaving, DefaultsGiveOneLinePerKeyInWrittenOrder) {
    ASSERT_TRUE(SaveSettings(defaults(), m_path).ok);
    const QByteArray expected =
        "<%%rUseProxy%%>0<%%/rUseProxy%%>\r\n"
        "<%%rNoProxy%%>-1<%%/rNoProxy%%>\r\n"
        "<%%rAuthentification%%>0<%%/rAuthentification%%>\r\n"
        "<%%eHost%%><%%/eHost%%>\r\n"
        "<%%ePort%%>80<%%/ePort%%>\r\n"
        "<%%eUserName%%><%%/eUserName%%>\r\n"
        "<%%ePassword%%><%%/ePassword%%>\r\n"
        "<%%eExportFields%%>0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22<%%/eExportFields%%>\r\n"
        "<%%eRandom%%>3<%%/eRandom%%>\r\n"
        "<%%rRandomProxy%%>0<%%/rRandomProxy%%>\r\n"
        "<%%eRandomProxies%%><%%/eRandomProxies%%>\r\n"
        "<%%cExtractEmails%%>-1<%%/cExtractEmails%%>\r\n"
        "<%%cCompleteFromGoogle%%>-1<%%/cCompleteFromGoogle%%>\r\n"
        "<%%cExportManually%%>-1<%%/cExportManually%%>\r\n"
        "<%%cExportAutomatic%%>0<%%/cExportAutomatic%%>\r\n"
        "<%%eExportFolder%%>/home/someone/Documents<%%/eExportFolder%%>\r\n"
        "<%%eDelimiter%%>,<%%/eDelimiter%%>\r\n"
        "<%%Language%%>en<%%/Language%%>\r\n"
        "<%%eHourBudget%%>300<%%/eHourBudget%%>\r\n"
        "<%%eDayBudget%%>1500<%%/eDayBudget%%>\r\n"
        "<%%eExportFormat%%>csv<%%/eExportFormat%%>\r\n"
        "<%%eQueuePause%%>30<%%/eQueuePause%%>\r\n"
        "<%%cCheckMailServers%%>-1<%%/cCheckMailServers%%>\r\n"
        "<%%cLeaveOutLibraryCompanies%%>0<%%/cLeaveOutLibraryCompanies%%>\r\n"
        "<%%cExportOnlyNewRows%%>0<%%/cExportOnlyNewRows%%>\r\n";
    EXPECT_EQ(fileBytes(), expected);
}

TEST_F(SettingsSaving, TwoProxiesTakeThreeFileLines) {
    AppSettings settings = defaults();
    settings.eRandomProxies = {u"127.0.0.1:8080"_s, u"127.0.0.1:8081"_s};
    ASSERT_TRUE(SaveSettings(settings, m_path).ok);
    EXPECT_TRUE(fileBytes().contains("\r\n<%%eRandomProxies%%>127.0.0.1:8080\r\n"
                                     "127.0.0.1:8081\r\n"
                                     "<%%/eRandomProxies%%>\r\n<%%cExtractEmails%%>"));
}

TEST_F(SettingsSaving, FileIsOwnerOnlyAndReplacedWhole) {
    writeFile(QByteArray(10000, 'Z'));
    ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_TRUE(SaveSettings(ChangedSettings(), m_path).ok);
    EXPECT_TRUE(fileBytes().startsWith("<%%rUseProxy%%>-1"));
    EXPECT_FALSE(fileBytes().contains('Z'));
    EXPECT_EQ(QFileInfo(m_path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"settings.dat"_s});
}

TEST_F(SettingsSaving, FailureIsReported) {
    const SaveSettingsResult result = SaveSettings(defaults(), SettingsFilePath(m_dir.filePath(u"missing"_s)));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.errorString.isEmpty());
}

TEST_F(SettingsRoundTrip, EveryValueComesBack) {
    const AppSettings saved = ChangedSettings();
    ASSERT_TRUE(SaveSettings(saved, m_path).ok);
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    ExpectSameSettings(m_loaded, saved);
}

TEST_F(SettingsRoundTrip, EveryValueComesBackInWindows1252) {
    CodePage::setCurrent(CodePage::named("windows-1252"));
    const AppSettings saved = ChangedSettings();
    ASSERT_TRUE(SaveSettings(saved, m_path).ok);
    EXPECT_TRUE(fileBytes().contains("<%%eUserName%%>Jos\xE9<%%/eUserName%%>"));
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    ExpectSameSettings(m_loaded, saved);
}

TEST_F(SettingsRoundTrip, BlankDelimiterComesBackAsComma) {
    AppSettings saved = defaults();
    saved.eDelimiter = u" "_s;
    ASSERT_TRUE(SaveSettings(saved, m_path).ok);
    EXPECT_TRUE(fileBytes().contains("<%%eDelimiter%%> <%%/eDelimiter%%>"));
    load();
    EXPECT_EQ(m_loaded.eDelimiter, u","_s);
}

TEST_F(SettingsRoundTrip, PasswordOutsideTheCodePageComesBackReplaced) {
    CodePage::setCurrent(CodePage::named("windows-1252"));
    AppSettings saved = defaults();
    saved.ePassword = u"pa\u0436\u4e2d\u00e9"_s;
    ASSERT_TRUE(SaveSettings(saved, m_path).ok);
    load();
    EXPECT_EQ(m_loaded.ePassword, u"pa??\u00e9"_s);

    CodePage::setCurrent(CodePage::named("UTF-8"));
    ASSERT_TRUE(SaveSettings(saved, m_path).ok);
    load();
    EXPECT_EQ(m_loaded.ePassword, saved.ePassword);
}

TEST_F(SettingsLoading, FileWrittenOnWindowsLoadsUnderEitherCodePage) {
    QFile legacy(qEnvironmentVariable("TARNWICK_TEST_DATA") + u"/settings/windows-written.dat"_s);
    ASSERT_TRUE(legacy.open(QIODevice::ReadOnly)) << "TARNWICK_TEST_DATA must name tests/data";
    writeFile(legacy.readAll());
    for (const QByteArray &name : {QByteArray("UTF-8"), QByteArray("windows-1252")}) {
        CodePage::setCurrent(CodePage::named(name));
        ASSERT_EQ(load().status, LoadSettingsResult::Status::Loaded) << name.constData();
        AppSettings expected;
        expected.rNoProxy = false;
        expected.rUseProxy = true;
        expected.rAuthentification = true;
        expected.eHost = u"127.0.0.1"_s;
        expected.ePort = u"3128"_s;
        expected.eUserName = u"Jos\u00e9"_s;
        expected.ePassword = u"p\u00e4\u00a7\u20ac"_s;
        expected.eExportFields = u"0,1,2,10,18"_s;
        expected.eRandom = u"5"_s;
        expected.rRandomProxy = false;
        expected.eRandomProxies = {u"127.0.0.1:8080"_s, u"127.0.0.1:8081:user:pass"_s};
        expected.cExtractEmails = false;
        expected.cCompleteFromGoogle = true;
        expected.cExportManually = false;
        expected.cExportAutomatic = true;
        expected.eExportFolder = u"C:\\Users\\Jos\u00e9\\Documents\\Leads"_s;
        expected.eDelimiter = u";"_s;
        expected.CurrLang = u"fr"_s;
        ExpectSameSettings(m_loaded, expected);
    }
}

TEST_F(SettingsLoading, LfOnlyLinesAndByteOrderMarkAreAccepted) {
    writeFile("\xEF\xBB\xBF<%%eRandomProxies%%>127.0.0.1:1\n127.0.0.1:2\n<%%/eRandomProxies%%>\n"
              "<%%eUserName%%>Andr\xC3\xA9<%%/eUserName%%>\n");
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    EXPECT_EQ(m_loaded.eRandomProxies, (QStringList{u"127.0.0.1:1"_s, u"127.0.0.1:2"_s}));
    EXPECT_EQ(m_loaded.eUserName, u"Andr\u00e9"_s);
}

TEST_F(SettingsLoading, CapitalMarkersAreFoundButBareNamesMustMatchCase) {
    writeLines({u"<%%ePort%%>8080<%%/EPORT%%>"_s, u"<%%EHOST%%>127.0.0.1<%%/EHOST%%>"_s,
                u"<%%cCompleteFromGoogle%%>0<%%/cCompleteFromGoogle%%>"_s,
                u"<%%CEXPORTMANUALLY%%>0<%%/CEXPORTMANUALLY%%>"_s, u"<%%LANGUAGE%%>es<%%/LANGUAGE%%>"_s});
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    EXPECT_EQ(m_loaded.ePort, u"8080"_s);
    EXPECT_EQ(m_loaded.eHost, u""_s); // "eHost" does not occur in this letter case
    EXPECT_FALSE(m_loaded.cExportManually);
    EXPECT_EQ(m_loaded.CurrLang, u"es"_s);
}

TEST_F(SettingsLoading, TrueAndFalseWordsAreAccepted) {
    writeLines({u"<%%rUseProxy%%>True<%%/rUseProxy%%>"_s, u"<%%rNoProxy%%>false<%%/rNoProxy%%>"_s,
                u"<%%cCompleteFromGoogle%%>FALSE<%%/cCompleteFromGoogle%%>"_s,
                u"<%%cExportManually%%>  0 <%%/cExportManually%%>"_s,
                u"<%%cExportAutomatic%%>1<%%/cExportAutomatic%%>"_s});
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    EXPECT_TRUE(m_loaded.rUseProxy);
    EXPECT_FALSE(m_loaded.rNoProxy);
    EXPECT_FALSE(m_loaded.cCompleteFromGoogle);
    EXPECT_FALSE(m_loaded.cExportManually);
    EXPECT_TRUE(m_loaded.cExportAutomatic);
}

TEST_F(SettingsLoading, BadExportChoicesAndBudgetsTakeTheirFallbacksAndLoadingGoesOn) {
    writeLines({u"<%%cCompleteFromGoogle%%>-1<%%/cCompleteFromGoogle%%>"_s,
                u"<%%cExportManually%%>maybe<%%/cExportManually%%>"_s,
                u"<%%cExportAutomatic%%>yes<%%/cExportAutomatic%%>"_s,
                u"<%%eExportFolder%%>/srv/out<%%/eExportFolder%%>"_s, u"<%%eDelimiter%%>|<%%/eDelimiter%%>"_s,
                u"<%%Language%%>fr<%%/Language%%>"_s, u"<%%eHourBudget%%>0<%%/eHourBudget%%>"_s,
                u"<%%eDayBudget%%>100001<%%/eDayBudget%%>"_s, u"<%%eExportFormat%%>ods<%%/eExportFormat%%>"_s});
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    EXPECT_EQ(m_loaded.eExportFormat, ExportFormat::Csv);
    EXPECT_EQ(m_loaded.eQueuePause, u"30"_s); // a file from before the queue
    EXPECT_EQ(m_loaded.eHourBudget, 300);
    EXPECT_EQ(m_loaded.eDayBudget, 1500);
    EXPECT_TRUE(m_loaded.cExportManually);
    EXPECT_FALSE(m_loaded.cExportAutomatic);
    EXPECT_EQ(m_loaded.eExportFolder, u"/srv/out"_s);
    EXPECT_EQ(m_loaded.eDelimiter, u"|"_s);
    EXPECT_EQ(m_loaded.CurrLang, u"fr"_s);
}

TEST_F(SettingsLoading, LastFiveAreOnlyFoundInWrittenOrder) {
    writeLines({u"<%%cCompleteFromGoogle%%>-1<%%/cCompleteFromGoogle%%>"_s, u"<%%Language%%>it<%%/Language%%>"_s,
                u"<%%eDelimiter%%>;<%%/eDelimiter%%>"_s, u"<%%cExportManually%%>0<%%/cExportManually%%>"_s,
                u"<%%cExportAutomatic%%>-1<%%/cExportAutomatic%%>"_s,
                u"<%%eExportFolder%%>/srv/out<%%/eExportFolder%%>"_s});
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    EXPECT_FALSE(m_loaded.cExportManually);
    EXPECT_TRUE(m_loaded.cExportAutomatic);
    EXPECT_EQ(m_loaded.eExportFolder, u"/srv/out"_s);
    EXPECT_EQ(m_loaded.eDelimiter, u","_s);
    EXPECT_EQ(m_loaded.CurrLang, u"en"_s);
}

TEST_F(SettingsLoading, BlankLanguageIsEnglishAndUnknownCodeStays) {
    writeLines({u"<%%Language%%> \t<%%/Language%%>"_s});
    load();
    EXPECT_EQ(m_loaded.CurrLang, u"en"_s);
    writeLines({u"<%%Language%%>de<%%/Language%%>"_s});
    load();
    EXPECT_EQ(m_loaded.CurrLang, u"de"_s);
    writeLines({u"<%%eExportFolder%%>\t \t<%%/eExportFolder%%>"_s});
    load();
    EXPECT_EQ(m_loaded.eExportFolder, kDocuments);
}

TEST_F(SettingsLoading, OtherValuesAreTakenAsFound) {
    writeLines({u"<%%ePort%%> eighty <%%/ePort%%>"_s, u"<%%eRandom%%>-2.5<%%/eRandom%%>"_s,
                u"<%%eExportFields%%><%%/eExportFields%%>"_s});
    EXPECT_EQ(load().status, LoadSettingsResult::Status::Loaded);
    EXPECT_EQ(m_loaded.ePort, u" eighty "_s);
    EXPECT_EQ(m_loaded.eRandom, u"-2.5"_s);
    EXPECT_EQ(m_loaded.eExportFields, u""_s);
}

TEST_F(SettingsLoadingStops, InvalidBooleanKeepsEarlierKeysAndDefaultsLaterOnes) {
    writeLines({u"<%%rUseProxy%%>yes<%%/rUseProxy%%>"_s, u"<%%rNoProxy%%>0<%%/rNoProxy%%>"_s,
                u"<%%eHost%%>127.0.0.1<%%/eHost%%>"_s, u"<%%cExportAutomatic%%>-1<%%/cExportAutomatic%%>"_s,
                u"<%%Language%%>fr<%%/Language%%>"_s});
    const LoadSettingsResult result = load();
    EXPECT_EQ(result.status, LoadSettingsResult::Status::InvalidBoolean);
    EXPECT_EQ(result.key, u"rUseProxy"_s);
    AppSettings expected = defaults();
    expected.rNoProxy = false; // read before the invalid key
    ExpectSameSettings(m_loaded, expected);
    // The file as it was outlives the next save, which writes the defaults of the later keys.
    QFile original(m_path), kept(m_path + u".bad"_s);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && SaveSettings(m_loaded, m_path).ok);
    ASSERT_TRUE(result.keptAs == kept.fileName() && kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), original.readAll());
}

TEST_F(SettingsLoadingStops, BareNameWithoutMarkersIsAnInvalidBoolean) {
    writeLines({u"<%%eHost%%>127.0.0.1<%%/eHost%%>"_s, u"note: cExtractEmails was switched off"_s,
                u"<%%Language%%>fr<%%/Language%%>"_s});
    const LoadSettingsResult result = load();
    EXPECT_EQ(result.status, LoadSettingsResult::Status::InvalidBoolean);
    EXPECT_EQ(result.key, u"cExtractEmails"_s);
    EXPECT_EQ(m_loaded.eHost, u"127.0.0.1"_s);
    EXPECT_EQ(m_loaded.CurrLang, u"en"_s);
}
