#include "panetestbase.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

namespace {

constexpr int navigationLimitMs = 15000;

} // namespace

void PaneTestBase::SetUp() {
    ASSERT_TRUE(m_storage.isValid());
    reopenPane();
}

void PaneTestBase::TearDown() {
    closePane();
    // The engine releases a profile's files shortly after the profile is gone.
    static_cast<void>(QTest::qWaitFor([this] { return m_storage.remove(); }, 5000));
}

void PaneTestBase::closePane() {
    m_pane.reset();
    m_profile.reset();
}

void PaneTestBase::reopenPane(const QString &storageFolder) {
    closePane();
    const QString folder = storageFolder.isEmpty() ? m_storage.path() + QStringLiteral("/profile") : storageFolder;
    m_profile =
        std::make_unique<BrowserProfile>(folder + QStringLiteral("/storage"), folder + QStringLiteral("/cache"));
    m_pane = std::make_unique<WebEnginePane>(*m_profile);
}

bool PaneTestBase::load(const QString &address) {
    return waitForNavigation([this, address] { m_pane->navigate(address); });
}

bool PaneTestBase::waitForNavigation(const std::function<void()> &action, QString *completedUrl) {
    QSignalSpy completed(m_pane.get(), &BrowserPane::navigateComplete2);
    action();
    if (completed.isEmpty() && !completed.wait(navigationLimitMs)) {
        return false;
    }
    if (completedUrl) {
        *completedUrl = completed.constLast().constFirst().toString();
    }
    return true;
}

void PaneTestBase::showView() {
    QWebEngineView *view = m_pane->view();
    view->resize(800, 600);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QApplication::setActiveWindow(view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
}

int PaneTestBase::visibleDialogCount() {
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<QDialog *>(widget)) {
            ++count;
        }
    }
    return count;
}
