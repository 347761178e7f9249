#include "panetestbase.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>

namespace {

using PaneEvents = PaneTestBase;

TEST_F(PaneEvents, ScriptErrorIsReportedAndScriptsGoOn) {
    QSignalSpy errors(&pane(), &BrowserPane::scriptError);

    ASSERT_TRUE(loadPage(QStringLiteral("script-error.html")));
    if (errors.isEmpty()) {
        ASSERT_TRUE(errors.wait(5000));
    }

    EXPECT_TRUE(errors.constFirst().constFirst().toString().contains(u"tarnwick-script-failure"));
    const MarkupResult result = read();
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_TRUE(result.markup.startsWith(u"<BODY data-after=\"ran\">"));
    EXPECT_EQ(visibleDialogCount(), 0);
}

TEST_F(PaneEvents, ControlNDoesNothing) {
    showView();
    ASSERT_TRUE(loadPage(QStringLiteral("keys.html")));
    QWidget *input = pane().view()->focusProxy();
    ASSERT_NE(input, nullptr);
    input->setFocus();
    QWebEnginePage *page = pane().view()->page();

    // Through the window, as the system delivers keys, so shortcut handling takes part. Keys sent
    // before the page is ready for input are lost, so a plain key is repeated until it arrives.
    QWindow *window = pane().view()->window()->windowHandle();
    ASSERT_TRUE(QTest::qWaitFor(
        [window, page] {
            QTest::keyClick(window, Qt::Key_X);
            return QTest::qWaitFor([page] { return page->title().contains(u"x;"); }, 200);
        },
        10000));
    const QString ready = page->title();

    QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_A);
    ASSERT_TRUE(QTest::qWaitFor([page] { return page->title().contains(u"a;"); }, 10000))
        << page->title().toStdString();

    // Keys arrive in order: had Ctrl+N reached the page, it would stand before the "a". The page
    // may see the Control key itself go down.
    const QString seen = page->title().mid(ready.size());
    EXPECT_FALSE(seen.contains(u"ctrl+n", Qt::CaseInsensitive)) << seen.toStdString();
    EXPECT_TRUE(seen.endsWith(u"a;")) << seen.toStdString();
    EXPECT_EQ(pane().locationUrl(), site().url(QStringLiteral("/pages/keys.html")));
    EXPECT_EQ(visibleDialogCount(), 0);
}

} // namespace
