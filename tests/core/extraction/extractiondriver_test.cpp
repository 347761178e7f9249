#include "core/account/accountguard.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "core/net/randomsource.h"
#include "fakepane.h"
#include "resultpages.h"
#include "scriptedfetcher.h"
#include "support/testcontext.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CountingRandom : public RandomSource {
public:
    void Reseed() override { ++reseeds; }
    int Below(int) override { return 0; }
    int reseeds = 0;
};

class ExtractionDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        context().endpoints.linkedInHttps = u"https://li.example"_s;
        context().texts.setText(u"main46"_s, u"[VAR1] items exported"_s);
        context().texts.setText(u"main92"_s, u"Finished."_s);
        context().settings.cCompleteFromGoogle = false;
        context().settings.cExtractEmails = false;
        fetcher.pages.insert(u"https://li.example/company/a?x"_s, ResultPages::CompanyPage({}));
        nextLink = {u"Next &gt;"_s, u"https://li.example/vsearch/c?page_num=2"_s};
        driver.setTimings({1000, PauseMs, PauseMs});
    }

    // One timer tick, run to its end.
    void Tick() {
        driver.tmrParseTimer();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !driver.inTick(); }, 5000));
    }

    static constexpr int PauseMs = 40;

    AppContext &context() { return test.context; }
    RunState &run() { return test.context.run; }

    QString PageWithNext() const { return ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"Alpha"_s}}); }
    QString LastPage() const { return ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"Alpha"_s}}, false); }

    TestContext test;
    ScriptedFetcher fetcher;
    FakePane pane;
    QTimer timer;
    CountingRandom random;
    LinkInfo nextLink;
    ResultsList results{ListPiecesOf(test.context)};
    ExtractionDriver driver{RunPiecesOf(test.context), results, pane, fetcher, timer, random};
};

TEST_F(ExtractionDriverTest, GetDataStartsPollingAndASecondPressOnlyReseeds) {
    run().ExportedNum = 7;
    driver.btnStartClick();

    EXPECT_TRUE(run().Parsing);
    EXPECT_FALSE(run().ShouldStop.requested());
    EXPECT_EQ(run().ExportedNum, 0);
    EXPECT_EQ(test.status.panelText(StatusSink::ExportedPanel), u"0 items exported");
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_FALSE(run().DateTimeVal.isEmpty());
    EXPECT_FALSE(run().DateTimeVal.contains(u':'));

    run().ExportedNum = 3;
    run().DateTimeVal = u"first"_s;
    driver.btnStartClick();
    EXPECT_EQ(random.reseeds, 2);
    EXPECT_EQ(run().ExportedNum, 3);
    EXPECT_EQ(run().DateTimeVal, u"first");
}

TEST_F(ExtractionDriverTest, WithoutAResultPageTheTickPollsAgainRunOrNot) {
    for (const bool readable : {true, false}) {
        pane.readable = readable;
        pane.markup = u"<BODY>sign in</BODY>"_s;
        Tick();
        EXPECT_TRUE(timer.isActive());
        EXPECT_EQ(driver.lastLayout(), PageLayout::None);
        timer.stop();
    }
    EXPECT_TRUE(fetcher.calls.isEmpty());
}

TEST_F(ExtractionDriverTest, AResultPageWithoutARunEndsThePolling) {
    pane.markup = PageWithNext();
    Tick();
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(results.rowCount(), 0);
}

TEST_F(ExtractionDriverTest, PageWithBothLayoutsMarkersIsReadAsTheSecond) {
    driver.btnStartClick();
    pane.markup = LastPage().replace(u"<DIV id=nav-footer>"_s, u"<DIV id=results-summary></DIV><DIV id=nav-footer>"_s);
    Tick();
    EXPECT_EQ(driver.lastLayout(), PageLayout::Second);
    EXPECT_EQ(results.rowCount(), 0); // no "<H2>" entries
}

TEST_F(ExtractionDriverTest, LastPageEndsTheRunWithTheEndText) {
    driver.btnStartClick();
    pane.markup = LastPage();
    Tick();

    EXPECT_EQ(results.rowCount(), 1);
    EXPECT_FALSE(run().Parsing);
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(test.status.panelText(StatusSink::ActivityPanel), u"Finished.");
    EXPECT_EQ(run().SuperParseHTML, pane.markup);
}

TEST_F(ExtractionDriverTest, NextPageIsClickedAndPollingGoesOnAfterThePause) {
    driver.btnStartClick();
    pane.markup = PageWithNext();
    pane.links = {{u"Ads &gt;"_s, u"https://li.example/ads?page_num=1"_s}, nextLink};
    QElapsedTimer clock;
    clock.start();
    Tick();

    EXPECT_EQ(pane.clicks, QList<int>{1});
    EXPECT_GE(clock.elapsed(), PauseMs);
    EXPECT_TRUE(run().Parsing);
    EXPECT_TRUE(timer.isActive());
}

TEST_F(ExtractionDriverTest, MarkerInUpperCaseCountsButWithoutAQualifyingLinkTheRunEnds) {
    driver.btnStartClick();
    pane.markup = PageWithNext().replace(u"Next &gt;</A>"_s, u"NEXT &GT;</A>"_s);
    pane.links = {{u"\u00bb"_s, u"https://li.example/vsearch/c?more=1"_s}};
    Tick();

    EXPECT_TRUE(pane.clicks.isEmpty());
    EXPECT_FALSE(run().Parsing);
    EXPECT_EQ(test.status.panelText(StatusSink::ActivityPanel), u"Finished.");
}

TEST_F(ExtractionDriverTest, StopDuringThePageEndsTheTickWithoutTheEndText) {
    driver.btnStartClick();
    pane.markup = LastPage();
    fetcher.afterFetch = [this](const QString &) {
        driver.btnStopClick();
    };
    Tick();

    EXPECT_EQ(results.rowCount(), 0);
    EXPECT_TRUE(run().ShouldStop.requested());
    EXPECT_FALSE(run().Parsing);
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(pane.stops, 2);
    EXPECT_EQ(test.status.gaugePosition(), 0);
    EXPECT_TRUE(test.status.panelText(StatusSink::ActivityPanel).isEmpty());
}

// Get Data pressed within Stop's pause starts a new run; the entry whose fetch Stop ended
// belongs to the old one and is never listed, not even with the cells it lacks.
TEST_F(ExtractionDriverTest, GetDataRightAfterStopNeverListsTheInterruptedEntry) {
    driver.btnStartClick();
    pane.markup = LastPage();
    fetcher.afterFetch = [this](const QString &) {
        driver.btnStopClick();
        driver.btnStartClick();
    };
    Tick();

    EXPECT_EQ(results.rowCount(), 0);
    EXPECT_TRUE(run().Parsing);
    EXPECT_FALSE(run().ShouldStop.requested());
    EXPECT_TRUE(timer.isActive());
}

// A stopped run never ticks again, whatever the step it was in, and says nothing after "Stopped".
TEST_F(ExtractionDriverTest, StopDuringTheNextPageStepClicksNothingMoreAndEndsPolling) {
    context().texts.setText(u"main160"_s, u"Stopped: [VAR1] rows so far"_s);
    const LinkInfo adsLink{u"Ads &gt;"_s, u"https://li.example/ads?page_num=1"_s};
    struct Case {
        const char *when;
        int stopAtRead; // the link read after which Stop comes; -1: during the pause after the click
        int clicks;
    };
    for (const Case &c : {Case{"between two anchor reads", 0, 0}, Case{"before the click", 1, 0},
                          Case{"in the pause after the click", -1, 1}}) {
        SCOPED_TRACE(c.when);
        results.deleteAll();
        pane.clicks.clear();
        pane.answerLater = true;
        pane.links = {adsLink, nextLink};
        pane.markup = PageWithNext();
        pane.onLinkRead = [&](int index) {
            if (index == c.stopAtRead) {
                driver.btnStopClick();
            }
        };
        pane.onClick = [&](int) {
            if (c.stopAtRead < 0) {
                QTimer::singleShot(PauseMs / 4, [this] { driver.btnStopClick(); });
            }
        };
        driver.btnStartClick();
        Tick();
        EXPECT_EQ(pane.clicks.size(), c.clicks);
        EXPECT_FALSE(timer.isActive());
        EXPECT_FALSE(run().Parsing);
        EXPECT_EQ(test.status.panelText(StatusSink::RunPanel), u"Stopped: 1 rows so far");
        QTest::qWait(PauseMs * 2);
        EXPECT_FALSE(driver.inTick());
    }
}

TEST_F(ExtractionDriverTest, ExportFailureKeepsTheRowEndsTheRunAndSaysWhy) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    context().settings.cExportAutomatic = true;
    context().settings.eExportFolder = folder.path();
    driver.btnStartClick();
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"Results "_s + run().DateTimeVal + u".csv"_s));
    pane.markup = PageWithNext();
    pane.links = {nextLink};
    Tick();

    EXPECT_EQ(results.rowCount(), 1);
    EXPECT_FALSE(run().Parsing);
    EXPECT_TRUE(run().ShouldStop.requested());
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(pane.clicks.isEmpty());
    ASSERT_EQ(test.dialogs.shown.size(), 1);
    EXPECT_EQ(test.dialogs.shown[0].icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(test.dialogs.shown[0].text.contains(folder.path()));

    driver.btnStartClick();
    EXPECT_TRUE(run().Parsing);
}

TEST_F(ExtractionDriverTest, AFailingTickOrPaneEndsTheRunAndShowsWhy) {
    for (const bool throwing : {true, false}) {
        driver.btnStartClick();
        pane.markup = PageWithNext();
        pane.links = {nextLink};
        pane.throwOnRead = throwing;
        pane.failure = throwing ? QString() : u"The page's renderer process has ended."_s;
        Tick();

        EXPECT_FALSE(run().Parsing);
        EXPECT_FALSE(timer.isActive());
        EXPECT_TRUE(pane.clicks.isEmpty());
        // Pages may remain: the reason shows, not the end-of-run text.
        EXPECT_EQ(test.status.panelText(StatusSink::ActivityPanel),
                  throwing ? u"the document went away"_s : pane.failure);
    }
}

// A fetch that answers only when its stop is requested.
class HangingFetcher : public ScriptedFetcher {
public:
    QCoro::Task<FetchResult> DownloadURL(QString, bool, StopToken stop) override {
        co_await PumpDelay(600000, stop);
        FetchResult aborted;
        aborted.error = FetchError::Aborted;
        co_return aborted;
    }
};

// The window closes in the middle of a fetch, of a script call and of the pause after a click:
// each wait ends at once, and nothing of the run wakes after the driver is gone.
TEST(ExtractionDriverShutdown, EveryWaitEndsAtOnceAndNothingOutlivesTheDriver) {
    enum Wait { Fetch, ScriptCall, Pause };
    for (const Wait wait : {Fetch, ScriptCall, Pause}) {
        TestContext test;
        test.context.endpoints.linkedInHttps = u"https://li.example"_s;
        HangingFetcher fetcher;
        FakePane pane;
        pane.markup = ResultPages::Layout1(u"W"_s, {{u"/company/a?x&amp;1"_s, u"Alpha"_s}});
        pane.links = {{u"Next &gt;"_s, u"https://li.example/vsearch/c?page_num=2"_s}};
        pane.hangOnRead = wait == ScriptCall;
        QTimer timer;
        CountingRandom random;
        ResultsList results(ListPiecesOf(test.context));
        auto driver =
            std::make_unique<ExtractionDriver>(RunPiecesOf(test.context), results, pane, fetcher, timer, random);
        driver->setTimings({1000, 600000, 600000});
        if (wait == Pause) {
            fetcher.pages.insert(u"https://li.example/company/a?x"_s, ResultPages::CompanyPage({}));
        }
        driver->btnStartClick();
        driver->tmrParseTimer();
        QTest::qWait(50);
        ASSERT_TRUE(driver->inTick()) << wait;

        driver->Shutdown();
        EXPECT_TRUE(driver->isIdle()) << wait;
        EXPECT_TRUE(test.context.run.ShouldStop.requested());
        driver.reset();
        QTest::qWait(20);
    }
}

// Today's layout: the pane shows a company search whose cards the reader answers as JSON.
class TodaysLayoutTest : public ExtractionDriverTest {
protected:
    void SetUp() override {
        ExtractionDriverTest::SetUp();
        context().texts.setText(u"main204"_s, u"Stopped by LinkedIn"_s);
        context().texts.setText(u"main201"_s, u"Pass the check"_s);
        context().texts.setText(u"main203"_s, u"Limit reached"_s);
        context().texts.setText(u"main205"_s, u"Waiting for cards"_s);
        pane.markup = u"<BODY><MAIN></MAIN></BODY>"_s;
        pane.address = Search;
        fetcher.route = [](const QString &) {
            return std::optional<QString>(u"<p>company</p>"_s);
        };
    }

    static QByteArray Cards(const QStringList &slugs, const char *flags = R"("next":{"present":true})") {
        QStringList cards;
        for (const QString &slug : slugs) {
            cards.append(uR"({"href":"https://li.example/company/%1/?x=1","name":"%1 Co"})"_s.arg(slug));
        }
        return "{\"cards\":[" + cards.join(u',').toUtf8() + "]," + flags + "}";
    }
    // Two agreeing reads make a page; a page saying it has no results needs one.
    void ReadPage(const QByteArray &cards) {
        pane.cards = cards;
        Tick();
        if (timer.isActive()) {
            Tick();
        }
    }

    static inline const QString Search = u"https://li.example/search/results/companies/?keywords=caf%C3%A9&origin=X"_s;
};

TEST_F(TodaysLayoutTest, WaitsForTwoAgreeingReadsThenGoesToTheNextPageNumber) {
    struct CountingGuard : AccountGuard {
        QCoro::Task<bool> TakeRead(StopToken) override {
            ++reads;
            co_return true;
        }
        int reads = 0;
    } guard;
    driver.setAccountGuard(&guard);
    driver.btnStartClick();
    pane.cards = Cards({u"a"_s});
    Tick();
    pane.cards = Cards({u"a"_s, u"b"_s}); // still drawing
    Tick();
    EXPECT_EQ(results.rowCount(), 0);
    EXPECT_EQ(test.status.panelText(StatusSink::RunPanel), u"Waiting for cards");
    EXPECT_TRUE(timer.isActive());

    Tick();
    EXPECT_EQ(driver.lastLayout(), PageLayout::Cards);
    ASSERT_EQ(results.rowCount(), 2);
    EXPECT_EQ(results.row(1)[LeadRow::LinkedInLink], u"https://li.example/company/b/");
    EXPECT_EQ(results.row(1)[LeadRow::Category], u"café");
    EXPECT_EQ(pane.navigations, QStringList{Search + u"&page=2"_s});
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(run().Parsing);
    // The engine reports the next page's address decoded; its read was taken as the run went there.
    const int reads = guard.reads;
    pane.address = QUrl(pane.navigations.value(0)).toString();
    ReadPage(Cards({u"a"_s, u"b"_s}));
    EXPECT_EQ(guard.reads, reads);
}

TEST_F(TodaysLayoutTest, TheRunEndsAtItsLastPageOrAPageOfNothingNew) {
    const struct {
        const char *what;
        QString address;
        QByteArray cards;
    } cases[] = {
        {"disabled next button", Search, Cards({u"a"_s}, R"("next":{"present":true,"disabled":true})")},
        {"no next button", Search, Cards({u"a"_s}, R"("next":{"present":false})")},
        {"page 100", Search + u"&page=100"_s, Cards({u"a"_s})},
        {"no results", Search, R"({"cards":[],"noResults":true})"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        results.deleteAll();
        pane.navigations.clear();
        pane.address = c.address;
        driver.btnStartClick();
        ReadPage(c.cards);
        EXPECT_FALSE(run().Parsing);
        EXPECT_FALSE(timer.isActive());
        EXPECT_TRUE(pane.navigations.isEmpty());
        EXPECT_EQ(test.status.panelText(StatusSink::ActivityPanel), u"Finished.");
    }

    // A page that shows only companies this run met already: the search has nothing more.
    results.deleteAll();
    pane.address = Search;
    driver.btnStartClick();
    ReadPage(Cards({u"a"_s}));
    pane.address = pane.navigations.value(0);
    ReadPage(Cards({u"a"_s}));
    EXPECT_FALSE(run().Parsing);
    EXPECT_EQ(pane.navigations.size(), 1);
}

TEST_F(TodaysLayoutTest, AChallengeStopsTheRunKeepsItsRowsAndSaysWhatToDo) {
    const struct {
        const char *what;
        std::function<void()> meet;
        QString message;
    } cases[] = {
        {"the pane reaches a security check", [this] { pane.address = u"https://li.example/checkpoint/challenge/x"_s; },
         u"Pass the check"_s},
        {"the page says the commercial use limit is reached",
         [this] { pane.cards = Cards({}, R"("commercialLimit":true)"); }, u"Limit reached"_s},
        {"a company page is answered with a security check",
         [this] {
             fetcher.route = [](const QString &) {
                 return std::optional<QString>(u"<p>company</p>"_s);
             };
             fetcher.statuses.insert(u"https://li.example/company/b/"_s, 429);
             context().texts.setText(u"main202"_s, u"Too many requests"_s);
         },
         u"Too many requests"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        results.deleteAll();
        test.dialogs.shown.clear();
        pane.address = Search;
        driver.btnStartClick();
        ReadPage(Cards({u"a"_s}));
        ASSERT_EQ(results.rowCount(), 1);
        c.meet();
        pane.address = pane.address.contains(u"checkpoint") ? pane.address : pane.navigations.value(0);
        if (pane.cards.contains("commercialLimit")) {
            Tick();
        } else {
            ReadPage(Cards({u"b"_s, u"c"_s}));
        }
        EXPECT_FALSE(run().Parsing);
        EXPECT_TRUE(run().ShouldStop.requested());
        EXPECT_FALSE(timer.isActive());
        EXPECT_EQ(results.rowCount(), 1);
        EXPECT_EQ(test.status.panelText(StatusSink::RunPanel), u"Stopped by LinkedIn");
        ASSERT_EQ(test.dialogs.shown.size(), 1);
        EXPECT_EQ(test.dialogs.shown[0].text, c.message);
        pane.navigations.clear();
        fetcher.statuses.clear();
    }
}

} // namespace
