#include "panetestbase.h"

#include <QSignalSpy>

namespace {

using Navigation = PaneTestBase;

TEST_F(Navigation, RedirectReportsTheFinalAddress) {
    QString completed;
    ASSERT_TRUE(waitForNavigation([this] { pane().navigate(site().url(QStringLiteral("/redirect"))); }, &completed));

    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/target.html")));
    EXPECT_EQ(pane().locationUrl(), completed);
    EXPECT_FALSE(pane().isBusy());
}

TEST_F(Navigation, BackAndForwardWithoutHistoryDoNothing) {
    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));
    const QString before = pane().locationUrl();
    QSignalSpy completed(&pane(), &BrowserPane::navigateComplete2);

    EXPECT_FALSE(pane().goBack());
    EXPECT_FALSE(pane().goForward());

    EXPECT_FALSE(pane().isBusy());
    EXPECT_EQ(pane().locationUrl(), before);
    EXPECT_TRUE(completed.isEmpty());
    EXPECT_EQ(visibleDialogCount(), 0);
}

TEST_F(Navigation, BackAndForwardWalkTheHistory) {
    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));
    ASSERT_TRUE(loadPage(QStringLiteral("links.html")));

    QString completed;
    ASSERT_TRUE(waitForNavigation([this] { EXPECT_TRUE(pane().goBack()); }, &completed));
    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/target.html")));

    ASSERT_TRUE(waitForNavigation([this] { EXPECT_TRUE(pane().goForward()); }, &completed));
    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/links.html")));
}

TEST_F(Navigation, RefreshNeedsAPage) {
    EXPECT_FALSE(pane().refresh());

    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));
    const int requestsBefore = site().requestCount(QStringLiteral("/pages/target.html"));
    QString completed;
    ASSERT_TRUE(waitForNavigation([this] { EXPECT_TRUE(pane().refresh()); }, &completed));

    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/target.html")));
    EXPECT_GT(site().requestCount(QStringLiteral("/pages/target.html")), requestsBefore);
}

TEST_F(Navigation, ProgressRisesWhileLoadingAndEndsBelowOne) {
    QSignalSpy progress(&pane(), &BrowserPane::progressChange);

    ASSERT_TRUE(loadPage(QStringLiteral("layout1.html")));

    ASSERT_GE(progress.size(), 2);
    qint64 previous = -1;
    for (qsizetype i = 0; i + 1 < progress.size(); ++i) {
        const qint64 value = progress.at(i).at(0).toLongLong();
        EXPECT_EQ(progress.at(i).at(1).toLongLong(), 100);
        EXPECT_GE(value, previous);
        EXPECT_GE(value, 0);
        previous = value;
    }
    EXPECT_EQ(progress.constLast().at(0).toLongLong(), BrowserPane::LoadEndedProgress);
}

TEST_F(Navigation, BusyWhileLoading) {
    QSignalSpy completed(&pane(), &BrowserPane::navigateComplete2);
    pane().navigate(site().url(QStringLiteral("/pages/target.html")));

    EXPECT_TRUE(pane().isBusy());
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_FALSE(pane().isBusy());
}

} // namespace
