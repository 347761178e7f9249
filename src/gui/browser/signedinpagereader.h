#pragma once

#include "core/async/completion.h"
#include "core/browser/signedinpages.h"

#include <QPointer>

#include <deque>

class BrowserProfile;
class QWebEnginePage;

// Reads a company's signed-in about page in a hidden page of the member's browser profile, so
// the member's session applies while the visible pane stays where it is. The page is made when
// first needed, never shown, and owned with the profile's other pages. One page is read at a
// time; later calls wait their turn.
class SignedInPageReader final : public SignedInPages {
public:
    explicit SignedInPageReader(BrowserProfile &profile);
    // Calls in progress end with an error before the page goes.
    ~SignedInPageReader() override;
    SignedInPageReader(const SignedInPageReader &) = delete;
    SignedInPageReader &operator=(const SignedInPageReader &) = delete;

    // How long a load may take before it counts as failed (30 s unless set).
    void setLoadTimeout(int milliseconds) { m_loadTimeoutMs = milliseconds; }
    // How long a loaded page is given to draw an overview with a known label (10 s unless set).
    void setRenderTimeout(int milliseconds) { m_renderTimeoutMs = milliseconds; }

    QCoro::Task<SignedInPage> readAboutPage(QString address, StopToken stop) override;

private:
    QWebEnginePage *page();
    QCoro::Task<bool> takeTurn(StopToken stop);
    void endTurn();
    QCoro::Task<SignedInPage> read(QString address, StopToken stop);
    // Empty when the load succeeded, else why it did not.
    QCoro::Task<QString> load(QString address, StopToken stop);
    QString pageUrl() const;

    QPointer<BrowserProfile> m_profile;
    QPointer<QWebEnginePage> m_page;
    int m_loadTimeoutMs = 30000;
    int m_renderTimeoutMs = 10000;
    bool m_busy = false;
    // Callers waiting for their turn, first come first served; a stopped one resolves itself.
    std::deque<Completion<bool>> m_waiting;
    StopToken m_closing = StopToken::Create();
};
