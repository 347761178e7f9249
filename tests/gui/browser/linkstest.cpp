#include "panetestbase.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class Links : public PaneTestBase {
protected:
    void SetUp() override {
        PaneTestBase::SetUp();
        // Shown first, so that mouse input reaches the page.
        showView();
        ASSERT_TRUE(loadPage(QStringLiteral("links.html")));
    }
};

TEST_F(Links, AnchorsAreListedInDocumentOrder) {
    ASSERT_EQ(linkCount(), 3);

    const std::optional<LinkInfo> first = link(0);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->innerHtml, QStringLiteral("Plain"));
    EXPECT_EQ(first->href, site().url(QStringLiteral("/pages/target.html")));

    const std::optional<LinkInfo> next = link(1);
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->innerHtml, QStringLiteral("<SPAN>Next</SPAN> &gt;"));
    EXPECT_EQ(next->href, site().url(QStringLiteral("/pages/target.html?page_num=2")));

    EXPECT_FALSE(link(3).has_value());
    EXPECT_FALSE(link(-1).has_value());
}

TEST_F(Links, ClickFollowsTheLink) {
    QString completed;
    ASSERT_TRUE(waitForNavigation([this] { EXPECT_TRUE(clickLink(1)); }, &completed));

    EXPECT_EQ(completed, site().url(QStringLiteral("/pages/target.html?page_num=2")));
    EXPECT_EQ(pane().locationUrl(), completed);
}

TEST_F(Links, ClickOnAMissingAnchorReportsIt) {
    EXPECT_FALSE(clickLink(3));
    EXPECT_FALSE(clickLink(-1));
    EXPECT_EQ(pane().locationUrl(), site().url(QStringLiteral("/pages/links.html")));
}

TEST_F(Links, TheListIsReadAfresh) {
    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));

    EXPECT_EQ(linkCount(), 0);
    EXPECT_FALSE(link(0).has_value());
}

// The user clicks the new-window link, which covers the top left corner.
void ClickNewWindowLink(QWebEngineView *view) {
    QWidget *input = view->focusProxy();
    ASSERT_NE(input, nullptr);
    // Input that comes before the page takes it is lost: move the pointer until the page notices.
    QWebEnginePage *page = view->page();
    int step = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [input, page, &step] {
            QTest::mouseMove(input, QPoint(30 + (++step % 2), 30));
            return QTest::qWaitFor([page] { return page->title() == QStringLiteral("pointer seen"); }, 200);
        },
        10000));
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(40, 40));
}

TEST_F(Links, UserClickOnANewWindowLinkOpensInThePane) {
    QSignalSpy completed(&pane(), &BrowserPane::navigateComplete2);
    ClickNewWindowLink(pane().view());
    ASSERT_TRUE(completed.wait(15000));

    EXPECT_EQ(completed.constFirst().constFirst().toString(),
              site().url(QStringLiteral("/pages/target.html?opened=new")));
    EXPECT_EQ(visibleDialogCount(), 0);
}

// The offers pane: a link that leaves the page, in it or in a new window, is reported for the
// user's browser, and the page stays.
TEST_F(Links, WithLinksOutsideTheyAreReportedAndNotFollowed) {
    pane().setLinksOpenOutside(true);
    QSignalSpy outside(&pane(), &WebEnginePane::outsideLinkClicked);
    EXPECT_TRUE(clickLink(1));
    ClickNewWindowLink(pane().view());
    ASSERT_TRUE(QTest::qWaitFor([&outside] { return outside.count() == 2; }, 15000));
    EXPECT_EQ(outside, (QList<QVariantList>{{site().url(QStringLiteral("/pages/target.html?page_num=2"))},
                                            {site().url(QStringLiteral("/pages/target.html?opened=new"))}}));
    EXPECT_EQ(pane().locationUrl(), site().url(QStringLiteral("/pages/links.html")));
}

} // namespace
