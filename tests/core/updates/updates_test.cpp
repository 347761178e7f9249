#include "core/app/version.h"
#include "core/host/linuxhost.h"
#include "core/net/downloader.h"
#include "core/net/fetcher.h"
#include "core/updates/newsfeed.h"
#include "core/updates/updatecheck.h"
#include "core/updates/updatefile.h"
#include "support/loopbackserver.h"
#include "support/testcontext.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Answers every direct fetch with one text, or fails; records the addresses.
class OneReplyFetcher : public Fetcher {
public:
    QCoro::Task<FetchResult> DownloadURL(QString, bool, StopToken) override { co_return Failed(); }
    QCoro::Task<FetchResult> DirectDownloadURL(QString AURL, bool UseUTF8, StopToken) override {
        urls.append(AURL);
        utf8.append(UseUTF8);
        if (!reply) {
            co_return Failed();
        }
        FetchResult result;
        result.text = *reply;
        co_return result;
    }
    static FetchResult Failed() {
        FetchResult result;
        result.error = FetchError::ConnectFailed;
        return result;
    }
    std::optional<QString> reply;
    QStringList urls;
    QList<bool> utf8;
};

TEST(UpdateFile, LinesEndWithAnyLineBreakAndTheThirdHoldsTheVersion) {
    const struct {
        const char16_t *file;
        std::optional<QString> version;
    } cases[] = {
        {u"[Update]\r\nName=Tarnwick\r\nVersion=3.13\r\n", u"3.13"_s},
        {u"x\nName=T\nVersion=3.2", u"3.2"_s},
        {u"x\rName=T\rVersion=4\rmore\rlines", u"4"_s},
        {u"x\nName=T\nversion=3.13\n", u"version=3.13"_s},
        {u"x\nName=T\nAVersion=3.13Version=9\n", u"A3.13Version=9"_s},
        {u"x\nVersion=3.13\n\n", u""_s},
        {u"x\nVersion=3.13\n", std::nullopt},
        {u"\xDDDD\r\nName=T\r\nVersion=3.13", u"3.13"_s}, // a lone surrogate is a character like any
        {u"", std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(NewestVersionText(QString::fromUtf16(c.file)), c.version) << QString::fromUtf16(c.file).toStdString();
    }
}

TEST(UpdateFile, VersionsCompareAsDecimalNumbersWhateverTheLocale) {
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const QLocale savedQt;
    // A locale that writes "," as its decimal separator.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const struct {
        const char16_t *newest;
        bool newer;
    } cases[] = {
        {u"3.13", true},  {u"3.2", true}, {u"3.12", false},         {u"3.100", false}, {u" 3.5 ", true},
        {u"3,13", false}, {u"", false},   {u"version=3.13", false}, {u"4", true},      {u"abc", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsNewerVersion(QString::fromUtf16(c.newest), ProgramVersion), c.newer)
            << QString::fromUtf16(c.newest).toStdString();
    }
    EXPECT_DOUBLE_EQ(VersionNumber(u"3.12"_s), 3.12);
    QLocale::setDefault(savedQt);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(UpdateFile, OnlyPlainDecimalsReadAsNumbers) {
    const struct {
        const char16_t *text;
        double number;
    } cases[] = {
        {u"3.13", 3.13}, {u"+4", 4.0},    {u"-2.5", -2.5}, {u"3.", 3.0},   {u".5", 0.5},
        {u"3,130", 0.0}, {u"1e3", 0.0},   {u"inf", 0.0},   {u"-inf", 0.0}, {u"nan", 0.0},
        {u"0x10", 0.0},  {u"3.1.2", 0.0}, {u"+", 0.0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(VersionNumber(QString::fromUtf16(c.text)), c.number) << QString::fromUtf16(c.text).toStdString();
    }
}

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ctx.context.endpoints.updateBaseUrl = u"http://127.0.0.1:9/updates/"_s;
        ctx.context.texts.setText(u"main58"_s, u"Version [VAR1] is out; [VAR1] it?"_s);
        ctx.context.texts.setText(u"main59"_s, u"Start the updater?"_s);
        ctx.context.texts.setText(u"main60"_s, u"The updater is missing."_s);
        ctx.context.texts.setText(u"main61"_s, u"Up to date."_s);
        ctx.context.texts.setText(u"main152"_s, u"No check: [VAR1]"_s);
    }

    void serve(const QString &version) {
        fetcher.reply = u"[Update]\r\nName=Tarnwick\r\nVersion="_s + version + u"\r\n"_s;
    }

    void placeUpdater(bool executable = true) {
        QFile updater(m_folder.filePath(u"tarnwick-updater"_s));
        ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
        updater.write("#!/bin/sh\n");
        updater.close();
        if (executable) {
            updater.setPermissions(updater.permissions() | QFileDevice::ExeOwner);
        }
    }

    QStringList shownTexts() const {
        QStringList texts;
        for (const FakeDialogs::Shown &shown : ctx.dialogs.shown) {
            texts.append(shown.text);
        }
        return texts;
    }

    QTemporaryDir m_folder;
    TestContext ctx;
    OneReplyFetcher fetcher;
    void Check(bool silent) { QCoro::waitFor(check.DownloadApplicationUpdates(silent, StopToken())); }

    int closes = 0;
    UpdateCheck check{
        {fetcher, ctx.host, ctx.dialogs, ctx.context.texts, ctx.context.endpoints}, m_folder.path(), [this] {
            ++closes;
        }};
};

TEST_F(UpdateCheckTest, UpToDateSaysSoOnlyWhenAsked) {
    serve(u"3.12"_s);
    Check(true);
    EXPECT_TRUE(ctx.dialogs.shown.isEmpty());
    // A run's Stop is no concern of the check's.
    ctx.context.run.ShouldStop.request();
    Check(false);
    EXPECT_EQ(shownTexts(), QStringList{u"Up to date."_s});
    EXPECT_EQ(fetcher.urls.value(0), u"http://127.0.0.1:9/updates/mainappupdate.inf");
    EXPECT_FALSE(fetcher.utf8.value(0));
}

TEST_F(UpdateCheckTest, FailedFetchOrShortFileIsNamedOnlyWhenAsked) {
    for (const bool silent : {true, false}) {
        fetcher.reply.reset();
        Check(silent);
        fetcher.reply = u"x\r\nVersion=3.13\r\n"_s;
        Check(silent);
    }
    EXPECT_EQ(shownTexts(),
              (QStringList{u"No check: 127.0.0.1: connection failed"_s,
                           u"No check: http://127.0.0.1:9/updates/mainappupdate.inf: no version found"_s}));
    EXPECT_EQ(closes, 0);
}

TEST_F(UpdateCheckTest, NewerVersionIsOfferedAlsoAtStartUpAndCancelEndsIt) {
    serve(u"3.13"_s);
    ctx.dialogs.confirmAnswers = {false};
    Check(true);
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    EXPECT_TRUE(ctx.dialogs.shown[0].question);
    EXPECT_EQ(ctx.dialogs.shown[0].text, u"Version 3.13 is out; 3.13 it?");
    EXPECT_TRUE(ctx.host.started.isEmpty());
}

TEST_F(UpdateCheckTest, MissingOrNonExecutableUpdaterWarnsAndStartsNothing) {
    serve(u"3.2"_s);
    Check(false);
    placeUpdater(false);
    Check(false);
    EXPECT_EQ(shownTexts(), (QStringList{u"Version 3.2 is out; 3.2 it?"_s, u"The updater is missing."_s,
                                         u"Version 3.2 is out; 3.2 it?"_s, u"The updater is missing."_s}));
    EXPECT_EQ(ctx.dialogs.shown[1].icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(ctx.host.started.isEmpty());
    EXPECT_EQ(closes, 0);
}

TEST_F(UpdateCheckTest, AgreedUpdateStartsTheUpdaterWithThreeArgumentsAndCloses) {
    serve(u"3.13"_s);
    placeUpdater();
    ctx.dialogs.confirmAnswers = {true, false};
    Check(false);
    EXPECT_TRUE(ctx.host.started.isEmpty());
    EXPECT_EQ(closes, 0);

    Check(false);
    EXPECT_EQ(shownTexts().mid(2), (QStringList{u"Version 3.13 is out; 3.13 it?"_s, u"Start the updater?"_s}));
    ASSERT_EQ(ctx.host.started.size(), 1);
    EXPECT_EQ(ctx.host.started[0].program, m_folder.filePath(u"tarnwick-updater"_s));
    EXPECT_EQ(ctx.host.started[0].arguments, (QStringList{u"http://127.0.0.1:9/updates/"_s, u"3.12"_s, u"A"_s}));
    EXPECT_EQ(closes, 1);
}

TEST_F(UpdateCheckTest, UpdaterThatWillNotStartIsNamedAndTheWindowStays) {
    ctx.context.texts.setText(u"main110"_s, u"[VAR1] did not start."_s);
    serve(u"3.13"_s);
    placeUpdater();
    ctx.host.failStarts = true;
    Check(false);
    ASSERT_EQ(ctx.dialogs.shown.size(), 3);
    EXPECT_EQ(ctx.dialogs.shown[2].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(ctx.dialogs.shown[2].text,
              m_folder.filePath(u"tarnwick-updater"_s) + u" did not start.\n\nthe program could not be started"_s);
    EXPECT_EQ(closes, 0);
}

// The whole check as the program runs it: the real HTTP client against a loopback server, the
// real host starting a stand-in updater script that records its arguments.
TEST(UpdateCheckOnTheSystem, StandInUpdaterGetsTheThreeArgumentsFromALoopbackCheck) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    LoopbackServer server;
    server.server().Get("/updates/mainappupdate.inf", [](const httplib::Request &, httplib::Response &res) {
        res.set_content("[Update]\nName=Tarnwick\nVersion=3.13\n", "text/plain");
    });
    ASSERT_TRUE(server.start());
    const QString record = folder.filePath(u"arguments"_s);
    QFile script(folder.filePath(u"tarnwick-updater"_s));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\" && mv \"$0.tmp\" " +
                 QFile::encodeName(record) + "\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    LinuxHost host(folder.filePath(u"registry.ini"_s));
    FakeStatus status;
    FakeDialogs dialogs;
    AppContext context(host, status, dialogs);
    context.endpoints.updateBaseUrl = server.url(u"/updates/"_s);
    Downloader downloader(context.settings, status, context.texts);
    int closes = 0;
    UpdateCheck check({downloader, host, dialogs, context.texts, context.endpoints}, folder.path(), [&] { ++closes; });
    const auto Check = [&check](bool silent) {
        QCoro::waitFor(check.DownloadApplicationUpdates(silent, StopToken()));
    };

    // A failed fetch says nothing at start-up.
    context.endpoints.updateBaseUrl = server.url(u"/missing/"_s);
    Check(true);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    context.endpoints.updateBaseUrl = server.url(u"/updates/"_s);
    Check(true);
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(closes, 1);
    const QDeadlineTimer deadline(20000);
    while (!QFile::exists(record) && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(recorded.readAll()), server.url(u"/updates/"_s) + u"\n3.12\nA\n"_s);
}

TEST(News, FetchedDirectlyAndNothingOnFailure) {
    OneReplyFetcher fetcher;
    EXPECT_FALSE(QCoro::waitFor(GetNews(fetcher, u"http://127.0.0.1:9/news.dat"_s, {})).has_value());
    fetcher.reply = u"<EN1>Hello</EN1>"_s;
    EXPECT_EQ(QCoro::waitFor(GetNews(fetcher, u"http://127.0.0.1:9/news.dat"_s, {})), u"<EN1>Hello</EN1>"_s);
    EXPECT_EQ(fetcher.urls, (QStringList{u"http://127.0.0.1:9/news.dat"_s, u"http://127.0.0.1:9/news.dat"_s}));
    EXPECT_FALSE(fetcher.utf8.value(1));
}

TEST(News, OffersPageCarriesLanguageThenReseller) {
    EXPECT_EQ(OffersPageAddress(u"https://p.example/promotions/news/K3816.php"_s, u"it"_s),
              u"https://p.example/promotions/news/K3816.php?lang=it&resid=0");
    EXPECT_EQ(OffersPageAddress(u"https://p.example/o.php?src=app"_s, u"fr"_s),
              u"https://p.example/o.php?src=app&lang=fr&resid=0");
    EXPECT_TRUE(OffersPageAddress(QString(), u"en"_s).isEmpty());
}

} // namespace
