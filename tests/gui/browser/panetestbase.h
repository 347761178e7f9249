#pragma once

#include "gui/browser/browserprofile.h"
#include "gui/browser/webenginepane.h"
#include "testsite.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A fresh pane on a fresh profile in its own temporary folder for every test.
class PaneTestBase : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Navigates and waits for the navigation to complete; false when it did not within the limit.
    bool load(const QString &address);
    bool loadPage(const QString &fileName) { return load(site().url(QStringLiteral("/pages/") + fileName)); }
    // Waits for the next completed navigation that some action below starts.
    bool waitForNavigation(const std::function<void()> &action, QString *completedUrl = nullptr);
    // Shows the view offscreen at a fixed size, for keyboard and mouse input.
    void showView();
    // Top-level dialogs currently visible (message boxes, script dialogs).
    static int visibleDialogCount();

    static TestSite &site() { return TestSite::Instance(); }
    WebEnginePane &pane() { return *m_pane; }
    // The pane's script calls, each waited for.
    MarkupResult read() { return QCoro::waitFor(m_pane->bodyOuterHtml()); }
    int linkCount() { return QCoro::waitFor(m_pane->linkCount()).value; }
    std::optional<LinkInfo> link(int index) { return QCoro::waitFor(m_pane->link(index)).value; }
    bool clickLink(int index) { return QCoro::waitFor(m_pane->clickLink(index)).value; }
    BrowserProfile &profile() { return *m_profile; }
    // Deletes the pane and then the profile, as the window does at shut-down.
    void closePane();
    // A new profile and pane on the given folder, with storage/ and cache/ below it (by default
    // the test's own one).
    void reopenPane(const QString &storageFolder = QString());

    QTemporaryDir m_storage;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<WebEnginePane> m_pane;
};
