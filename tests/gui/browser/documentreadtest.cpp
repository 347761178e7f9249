#include "panetestbase.h"

#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class DocumentRead : public PaneTestBase {
protected:
    // Keeps the page's renderer busy, so the next read has to wait.
    void blockRenderer(int milliseconds) {
        pane().view()->page()->runJavaScript(QStringLiteral("spin(%1)").arg(milliseconds));
    }
};

TEST_F(DocumentRead, BeforeAnyLoadTheBodyIsEmpty) {
    const MarkupResult result = read();

    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.markup, QStringLiteral("<BODY></BODY>"));
    EXPECT_EQ(linkCount(), 0);
}

TEST_F(DocumentRead, DocumentWithoutBodyFailsClearly) {
    ASSERT_TRUE(load(site().url(QStringLiteral("/no-body.svg"))));

    const MarkupResult result = read();

    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.markup.isEmpty());
    EXPECT_TRUE(result.error.contains(u"no body")) << result.error.toStdString();
}

TEST_F(DocumentRead, UnansweredReadTimesOut) {
    ASSERT_TRUE(loadPage(QStringLiteral("busy.html")));
    pane().setScriptTimeout(300);
    blockRenderer(3000);

    const MarkupResult result = read();

    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(u"did not answer")) << result.error.toStdString();
}

TEST_F(DocumentRead, PaneDeletedWhileReadingFailsClearly) {
    ASSERT_TRUE(loadPage(QStringLiteral("busy.html")));
    blockRenderer(3000);
    // Events run during the read: one of them deletes the pane, as a closing window would.
    QTimer::singleShot(100, [this] { m_pane.reset(); });

    const MarkupResult result = read();

    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(u"torn down")) << result.error.toStdString();
    EXPECT_EQ(m_pane, nullptr);
}

TEST_F(DocumentRead, EventsAreProcessedWhileWaiting) {
    ASSERT_TRUE(loadPage(QStringLiteral("busy.html")));
    blockRenderer(500);
    bool timerRan = false;
    QTimer::singleShot(0, [&timerRan] { timerRan = true; });

    const MarkupResult result = read();

    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_TRUE(timerRan);
}

} // namespace
