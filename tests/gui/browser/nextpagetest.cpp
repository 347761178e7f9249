#include "core/extraction/nextpage.h"

#include "panetestbase.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// The next-page click on real pages: the pane's own anchors, their serialised text and the
// markup read before the click.
class NextPage : public PaneTestBase {
protected:
    QString markup() {
        const MarkupResult document = read();
        EXPECT_TRUE(document.ok()) << document.error.toStdString();
        return document.markup;
    }

    // Runs MoveNextPage and returns whether it clicked; the address the pane then completes, if any.
    bool move(const QString &parsedMarkup, QString *completed) {
        QCoro::Task<NextPageOutcome> moving;
        const bool navigated = waitForNavigation([&] { moving = MoveNextPage(pane(), parsedMarkup, 200); }, completed);
        return QCoro::waitFor(moving).kind == NextPageOutcome::Kind::Clicked && navigated;
    }

    NextPageOutcome::Kind moveWithoutNavigation() { return QCoro::waitFor(MoveNextPage(pane(), markup(), 200)).kind; }
};

TEST_F(NextPage, ClicksTheFirstQualifyingLinkPastTheTraps) {
    ASSERT_TRUE(loadPage(QStringLiteral("nextpage.html")));
    QString completed;
    ASSERT_TRUE(move(markup(), &completed));
    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/target.html?from=first&page_num=2")));
}

TEST_F(NextPage, LinkAddedAfterThePageWasReadIsPassedOver) {
    ASSERT_TRUE(loadPage(QStringLiteral("nextpage.html")));
    const QString parsed = markup();
    bool added = false;
    pane().view()->page()->runJavaScript(
        QStringLiteral("var a = document.createElement('a'); a.href = 'target.html?from=script&page_num=2';"
                       "a.textContent = 'Later >'; document.body.insertBefore(a, document.body.firstChild); 1;"),
        [&added](const QVariant &) { added = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return added; }, 5000));
    ASSERT_EQ(link(0)->innerHtml, QStringLiteral("Later &gt;"));

    QString completed;
    ASSERT_TRUE(move(parsed, &completed));
    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/target.html?from=first&page_num=2")));
}

TEST_F(NextPage, PageWithOnlyTrapsDoesNotMove) {
    ASSERT_TRUE(loadPage(QStringLiteral("nextpage-traps.html")));
    QSignalSpy completed(&pane(), &BrowserPane::navigateComplete2);
    QElapsedTimer clock;
    clock.start();

    EXPECT_EQ(moveWithoutNavigation(), NextPageOutcome::Kind::NoLink);
    EXPECT_LT(clock.elapsed(), 200); // no pause without a click
    QTest::qWait(300);
    EXPECT_EQ(completed.count(), 0);
    EXPECT_EQ(pane().locationUrl(), site().url(QStringLiteral("/pages/nextpage-traps.html")));
}

TEST_F(NextPage, PageWithoutAnchorsDoesNotMove) {
    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));
    EXPECT_EQ(moveWithoutNavigation(), NextPageOutcome::Kind::NoLink);
}

} // namespace
