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

TEST_F(Navigation, ProgressEndsAtOneHundredPercent) {
    QSignalSpy progress(&pane(), &BrowserPane::progressChange);

    ASSERT_TRUE(loadPage(QStringLiteral("layout1.html")));

    ASSERT_FALSE(progress.isEmpty());
    qint64 previous = -1;
    for (const QList<QVariant> &report : std::as_const(progress)) {
        const qint64 value = report.at(0).toLongLong();
        EXPECT_EQ(report.at(1).toLongLong(), 100);
        EXPECT_GE(value, previous);
        previous = value;
    }
    EXPECT_EQ(progress.constLast().at(0).toLongLong(), 100);
}

TEST_F(Navigation, BusyWhileLoading) {
    QSignalSpy completed(&pane(), &BrowserPane::navigateComplete2);
    pane().navigate(site().url(QStringLiteral("/pages/target.html")));

    EXPECT_TRUE(pane().isBusy());
    ASSERT_TRUE(completed.wait(15000));
    EXPECT_FALSE(pane().isBusy());
}

} // namespace
