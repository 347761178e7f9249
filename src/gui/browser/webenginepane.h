#pragma once

#include "core/async/stoptoken.h"
#include "core/browser/browserpane.h"
#include "gui/browser/scriptcall.h"

#include <QPointer>
#include <QString>

#include <functional>

class BrowserProfile;
class PanePage;
class QAuthenticator;
class QUrl;
class QWebEngineLoadingInfo;
class QWebEngineView;

// The browser pane on Qt WebEngine. The view is made here and placed by the window; the pane
// deletes its page first and then the view, unless the view's new parent already did.
class WebEnginePane final : public BrowserPane {
    Q_OBJECT

public:
    explicit WebEnginePane(BrowserProfile &profile, QObject *parent = nullptr);
    ~WebEnginePane() override;

    QWebEngineView *view() const;

    // How long a document read may wait for the page's renderer.
    void setScriptTimeout(int milliseconds) { m_scriptTimeoutMs = milliseconds; }
    // Web links the user follows away from the page are reported (outsideLinkClicked) instead of
    // loaded in the pane; off by default.
    void setLinksOpenOutside(bool outside);
    // The sentence a page that could not be reached shows instead of the engine's error code,
    // from the site's host and the reason; none keeps the engine's own page.
    using UnreachableText = std::function<QString(const QString &host, const QString &reason)>;
    void setUnreachableText(UnreachableText text) { m_unreachableText = std::move(text); }

    void navigate(const QString &address) override;
    void stop() override;
    bool goBack() override;
    bool goForward() override;
    bool refresh() override;
    bool isBusy() const override;
    QString locationUrl() const override;

    QCoro::Task<MarkupResult> bodyOuterHtml() override;
    QCoro::Task<PaneResult<QByteArray>> readResultCards() override;
    int httpErrorStatus() const override { return m_httpErrorStatus; }

    QCoro::Task<PaneResult<int>> linkCount() override;
    QCoro::Task<PaneResult<std::optional<LinkInfo>>> link(int index) override;
    QCoro::Task<PaneResult<bool>> clickLink(int index) override;
    void cancelScriptCalls() override;

    void setProxy(const QString &userAgent, const QString &address, const QString &userName, const QString &password,
                  int port) override;
    void clearBrowserProxy() override;

Q_SIGNALS:
    // A link of the page the user followed, with links opening outside.
    void outsideLinkClicked(const QString &url);

private:
    // Runs a serialiser method in the isolated world.
    QCoro::Task<ScriptCallResult> callSerialiser(QString method, QString arguments);
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void answerProxyAuthentication(const QUrl &requestUrl, QAuthenticator *authenticator, const QString &proxyHost);

    QPointer<BrowserProfile> m_profile;
    QPointer<PanePage> m_page;
    QPointer<QWebEngineView> m_view;
    void showUnreachable(const QWebEngineLoadingInfo &info);

    UnreachableText m_unreachableText;
    int m_scriptTimeoutMs = 10000;
    bool m_loading = false;
    int m_httpErrorStatus = 0;
    // Ends the script calls in flight; renewed after each use.
    StopToken m_scriptsCancel = StopToken::Create();
    QString m_proxyHost;
    QString m_proxyUserName;
    QString m_proxyPassword;
};
