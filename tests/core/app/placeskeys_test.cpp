#include "core/app/configwarning.h"
#include "core/app/endpoints.h"
#include "core/settings/uitexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions GroupReads = OwnerOnly | QFileDevice::ReadGroup;
constexpr QFileDevice::Permissions WorldReads = GroupReads | QFileDevice::ReadOther;

struct KeysCase {
    const char *name;
    // The file's bytes; none means no file at all.
    std::optional<QByteArray> content;
    QFileDevice::Permissions permissions;
    // TARNWICK_PLACES_KEY_A / _B; none leaves the variable unset.
    std::optional<QString> environmentA;
    std::optional<QString> environmentB;
    QString expectedA;
    QString expectedB;
    bool expectWarning;
};

const KeysCase kCases[] = {
    {"NoFileNoEnvironment", std::nullopt, OwnerOnly, std::nullopt, std::nullopt, u""_s, u""_s, false},
    {"PrivateFile", "[Places]\nKeyA=alpha\nKeyB=beta\n", OwnerOnly, std::nullopt, std::nullopt, u"alpha"_s, u"beta"_s,
     false},
    {"WindowsLineEndsAndBlanksAroundValues", "[Places]\r\nKeyA = alpha \r\nKeyB=\tbeta\r\n", OwnerOnly, std::nullopt,
     std::nullopt, u"alpha"_s, u"beta"_s, false},
    {"CommentsAndOtherGroupsIgnored",
     "KeyA=outside\n[Other]\nKeyA=other\n# KeyB=comment\n[places]\n; note\nkeya=alpha\n", OwnerOnly, std::nullopt,
     std::nullopt, u"alpha"_s, u""_s, false},
    {"ValueMayHoldEquals", "[Places]\nKeyA=a=b==\n", OwnerOnly, std::nullopt, std::nullopt, u"a=b=="_s, u""_s, false},
    {"EnvironmentWinsOverFile", "[Places]\nKeyA=alpha\nKeyB=beta\n", OwnerOnly, u"fromEnv"_s, std::nullopt,
     u"fromEnv"_s, u"beta"_s, false},
    {"EnvironmentAloneWithoutFile", std::nullopt, OwnerOnly, u"envA"_s, u"envB"_s, u"envA"_s, u"envB"_s, false},
    {"GroupReadableFileWarnsAndStillGivesKeys", "[Places]\nKeyA=alpha\n", GroupReads, std::nullopt, std::nullopt,
     u"alpha"_s, u""_s, true},
    {"WorldReadableFileWarns", "[Places]\nKeyB=beta\n", WorldReads, std::nullopt, std::nullopt, u""_s, u"beta"_s, true},
    {"EmptyPrivateFile", "", OwnerOnly, std::nullopt, std::nullopt, u""_s, u""_s, false},
};

void PrintTo(const KeysCase &row, std::ostream *out) {
    *out << row.name;
}

// The mode bits of a file; Qt adds the rights of the current user on top.
QFileDevice::Permissions ModeOf(const QString &path) {
    const QFileDevice::Permissions user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    return QFile::permissions(path) & ~user;
}

class PlacesKeys : public ::testing::TestWithParam<KeysCase> {};

TEST_P(PlacesKeys, FileThenEnvironment) {
    const KeysCase &row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = ConfigFilePath(folder.path());
    if (row.content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(*row.content), row.content->size());
        file.close();
        ASSERT_TRUE(file.setPermissions(row.permissions));
    }
    QProcessEnvironment environment;
    if (row.environmentA) {
        environment.insert(u"TARNWICK_PLACES_KEY_A"_s, *row.environmentA);
    }
    if (row.environmentB) {
        environment.insert(u"TARNWICK_PLACES_KEY_B"_s, *row.environmentB);
    }

    const ConfigFile keys = ReadConfigFile(path);
    const Endpoints endpoints = Endpoints::fromKeyFileAndEnvironment(keys, environment);

    EXPECT_EQ(endpoints.placesKeyA, row.expectedA);
    EXPECT_EQ(endpoints.placesKeyB, row.expectedB);
    EXPECT_EQ(!keys.warning.isEmpty(), row.expectWarning) << keys.warning.toStdString();
    // The window says it in the user's language.
    UiTexts texts;
    texts.setText(u"main158"_s, u"Others read [VAR1]"_s);
    EXPECT_EQ(ConfigWarningText(keys, path, texts), row.expectWarning ? u"Others read "_s + path : QString());
    // The user's file is reported, never repaired.
    if (row.content) {
        EXPECT_EQ(ModeOf(path), row.permissions);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PlacesKeys, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<KeysCase> &info) { return std::string(info.param.name); });

TEST(ConfigFile, EveryPlacesRequestGoesOverHttpsByDefault) {
    EXPECT_EQ(Endpoints{}.placesHttp, u"https://maps.googleapis.com"_s);
}

TEST(ConfigFile, LivesBesideSettingsInTheDataFolder) {
    EXPECT_EQ(ConfigFilePath(u"/home/ann/.config/Brisvane Software/Tarnwick"_s),
              u"/home/ann/.config/Brisvane Software/Tarnwick/tarnwick.conf"_s);
    EXPECT_EQ(ConfigFilePath(QString()), QString());
}

TEST(ConfigFile, NetworkGroupNamesAFurtherAuthorityOrTurnsTheChecksOff) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = ConfigFilePath(folder.path());
    for (const auto &[content, caFile, verify] :
         {std::tuple{QByteArray("[Places]\nKeyA=alpha\n"), u""_s, true},
          std::tuple{QByteArray("[network]\ncafile = /etc/company-ca.pem\nVerifyTls=False\n"), u"/etc/company-ca.pem"_s,
                     false}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        const ConfigFile config = ReadConfigFile(path);
        EXPECT_EQ(config.caFile, caFile);
        EXPECT_EQ(config.verifyTls, verify);
    }
}

TEST(ConfigFile, UnreadableFileWarnsAndGivesNoKeys) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A folder in the file's place cannot be read as a file, also by root.
    const QString path = ConfigFilePath(folder.path());
    ASSERT_TRUE(QDir().mkpath(path));
    const ConfigFile keys = ReadConfigFile(path);
    EXPECT_TRUE(keys.keyA.isEmpty());
    EXPECT_TRUE(keys.keyB.isEmpty());
    EXPECT_FALSE(keys.warning.isEmpty());
}

TEST(ConfigFile, OtherEndpointsKeepTheirDefaultsUnlessTheEnvironmentNamesThem) {
    ConfigFile keys;
    keys.keyA = u"alpha"_s;
    QProcessEnvironment environment;
    environment.insert(u"TARNWICK_LINKEDIN_HTTPS"_s, u"http://127.0.0.1:8080"_s);
    const Endpoints endpoints = Endpoints::fromKeyFileAndEnvironment(keys, environment);
    EXPECT_EQ(endpoints.linkedInHttps, u"http://127.0.0.1:8080"_s);
    EXPECT_EQ(endpoints.tutorialUrl, Endpoints().tutorialUrl);
}

} // namespace
