#include "gui/browser/webenginepane.h"

#include "gui/browser/browserprofile.h"
#include "gui/browser/browserproxy.h"
#include "gui/browser/legacymarkupscript.h"
#include "gui/browser/newwindowshortcutfilter.h"
#include "gui/browser/panepage.h"
#include "gui/browser/resultcardsscript.h"
#include "gui/browser/scriptcall.h"

#include <QAuthenticator>
#include <QNetworkProxy>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

const QString noBodyError = QStringLiteral("The document has no body.");

} // namespace

WebEnginePane::WebEnginePane(BrowserProfile &profile, QObject *parent)
    : BrowserPane(parent), m_profile(&profile), m_page(new PanePage(profile.profile())), m_view(new QWebEngineView()) {
    profile.adoptPage(m_page);

    QWebEngineScript serialiser;
    serialiser.setName(QStringLiteral("tarnwick-legacy-markup"));
    serialiser.setSourceCode(LegacyMarkupScript::Installer());
    serialiser.setInjectionPoint(QWebEngineScript::DocumentCreation);
    serialiser.setWorldId(QWebEngineScript::ApplicationWorld);
    serialiser.setRunsOnSubFrames(false);
    m_page->scripts().insert(serialiser);

    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    new NewWindowShortcutFilter(m_view);

    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEnginePane::handleLoadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        if (m_loading) {
            Q_EMIT progressChange(percent, 100);
        }
    });
    connect(m_page, &PanePage::scriptErrorReported, this, &BrowserPane::scriptError);
    connect(m_page, &PanePage::linkKeptOut, this,
            [this](const QUrl &url) { Q_EMIT outsideLinkClicked(url.toString(QUrl::FullyEncoded)); });
    connect(m_page, &QWebEnginePage::proxyAuthenticationRequired, this, &WebEnginePane::answerProxyAuthentication);
}

WebEnginePane::~WebEnginePane() {
    // Whoever waits on a script call goes on now, while the pane is still whole.
    cancelScriptCalls();
    delete m_page.data();
    delete m_view.data();
}

QWebEngineView *WebEnginePane::view() const {
    return m_view;
}

void WebEnginePane::setLinksOpenOutside(bool outside) {
    m_page->setLinksKeptOut(outside);
}

void WebEnginePane::navigate(const QString &address) {
    // Busy from the call on: the engine reports the start of the load only later.
    m_loading = true;
    m_page->load(QUrl::fromUserInput(address));
}

void WebEnginePane::stop() {
    m_loading = false;
    m_page->triggerAction(QWebEnginePage::Stop);
}

bool WebEnginePane::goBack() {
    if (!m_page->history()->canGoBack()) {
        return false;
    }
    m_loading = true;
    m_page->triggerAction(QWebEnginePage::Back);
    return true;
}

bool WebEnginePane::goForward() {
    if (!m_page->history()->canGoForward()) {
        return false;
    }
    m_loading = true;
    m_page->triggerAction(QWebEnginePage::Forward);
    return true;
}

bool WebEnginePane::refresh() {
    if (m_page->url().isEmpty()) {
        return false;
    }
    m_loading = true;
    m_page->triggerAction(QWebEnginePage::Reload);
    return true;
}

bool WebEnginePane::isBusy() const {
    return m_loading;
}

QString WebEnginePane::locationUrl() const {
    return m_page->url().toString();
}

void WebEnginePane::cancelScriptCalls() {
    const StopToken cancel = std::exchange(m_scriptsCancel, StopToken::Create());
    cancel.request();
}

QCoro::Task<ScriptCallResult> WebEnginePane::callSerialiser(QString method, QString arguments) {
    return RunScriptInApplicationWorld(m_page, LegacyMarkupScript::Call(method, arguments), m_scriptTimeoutMs,
                                       m_scriptsCancel);
}

QCoro::Task<MarkupResult> WebEnginePane::bodyOuterHtml() {
    // Before the first load there is only the engine's empty initial document.
    if (m_page && m_page->url().isEmpty() && !m_loading) {
        co_return MarkupResult{QStringLiteral("<BODY></BODY>"), QString()};
    }
    const ScriptCallResult result = co_await callSerialiser(QStringLiteral("bodyOuterHtml"), QString());
    if (!result.ok()) {
        co_return MarkupResult{QString(), result.error};
    }
    const QVariantMap answer = result.value.toMap();
    if (answer.contains(QStringLiteral("error"))) {
        co_return MarkupResult{QString(), noBodyError};
    }
    const QVariant markup = answer.value(QStringLiteral("markup"));
    if (markup.typeId() != QMetaType::QString) {
        // The document went away under the call, for instance by a navigation.
        co_return MarkupResult{QString(), QStringLiteral("The document could not be read.")};
    }
    co_return MarkupResult{markup.toString(), QString()};
}

QCoro::Task<PaneResult<QByteArray>> WebEnginePane::readResultCards() {
    using Result = PaneResult<QByteArray>;
    const ScriptCallResult result =
        co_await RunScriptInApplicationWorld(m_page, ResultCardsScript::Source(), m_scriptTimeoutMs, m_scriptsCancel);
    if (!result.ok()) {
        co_return Result{{}, result.error};
    }
    if (result.value.typeId() != QMetaType::QString) {
        co_return Result{{}, QStringLiteral("The document could not be read.")};
    }
    co_return Result{result.value.toString().toUtf8(), QString()};
}

QCoro::Task<PaneResult<int>> WebEnginePane::linkCount() {
    const ScriptCallResult result = co_await callSerialiser(QStringLiteral("linkCount"), QString());
    if (!result.ok()) {
        co_return PaneResult<int>{0, result.error};
    }
    if (!result.value.canConvert<int>()) {
        co_return PaneResult<int>{0, QStringLiteral("The page gave no number of links.")};
    }
    co_return PaneResult<int>{result.value.toInt(), QString()};
}

QCoro::Task<PaneResult<std::optional<LinkInfo>>> WebEnginePane::link(int index) {
    using Result = PaneResult<std::optional<LinkInfo>>;
    if (index < 0) {
        co_return Result{};
    }
    const ScriptCallResult result = co_await callSerialiser(QStringLiteral("link"), QString::number(index));
    if (!result.ok()) {
        co_return Result{std::nullopt, result.error};
    }
    // Anything but an anchor's record means the anchor is gone.
    if (result.value.typeId() != QMetaType::QVariantMap) {
        co_return Result{};
    }
    const QVariantMap map = result.value.toMap();
    co_return Result{
        LinkInfo{map.value(QStringLiteral("innerHtml")).toString(), map.value(QStringLiteral("href")).toString()},
        QString()};
}

QCoro::Task<PaneResult<bool>> WebEnginePane::clickLink(int index) {
    if (index < 0) {
        co_return PaneResult<bool>{false, QString()};
    }
    const ScriptCallResult result = co_await callSerialiser(QStringLiteral("click"), QString::number(index));
    co_return PaneResult<bool>{result.ok() && result.value.toBool(), result.error};
}

void WebEnginePane::handleLoadingChanged(const QWebEngineLoadingInfo &info) {
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_loading = true;
        m_httpErrorStatus = 0;
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // A failed load still completes: the engine shows its error page at that address.
        m_loading = false;
        m_httpErrorStatus = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain ? info.errorCode() : 0;
        Q_EMIT progressChange(LoadEndedProgress, 100);
        Q_EMIT navigateComplete2(m_page->url().toString());
        if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
            showUnreachable(info);
        }
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        m_loading = false;
        Q_EMIT progressChange(LoadEndedProgress, 100);
        break;
    }
}

// Qt WebEngine reads QNetworkProxy::applicationProxy(); whether a change made after the engine
// started reaches running profiles is handled by the proxy layer, not here.
void WebEnginePane::setProxy(const QString &userAgent, const QString &address, const QString &userName,
                             const QString &password, int port) {
    if (m_profile) {
        m_profile->setHttpUserAgent(userAgent);
    }
    const QString host = address.trimmed();
    if (host.isEmpty()) {
        clearBrowserProxy();
        return;
    }
    // The settings layer turns unparsable ports into 80; an out-of-range one would wrap silently.
    const quint16 validPort = port > 0 && port <= 65535 ? static_cast<quint16>(port) : 80;
    m_proxyHost = host;
    m_proxyUserName = userName;
    m_proxyPassword = password;
    if (BrowserProxy *proxy = BrowserProxy::active()) {
        proxy->setRoute({host, validPort, userName, password});
        return;
    }
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, host, validPort, userName, password));
}

void WebEnginePane::clearBrowserProxy() {
    m_proxyHost.clear();
    m_proxyUserName.clear();
    m_proxyPassword.clear();
    if (BrowserProxy *proxy = BrowserProxy::active()) {
        proxy->setRoute({});
        return;
    }
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void WebEnginePane::answerProxyAuthentication(const QUrl &requestUrl, QAuthenticator *authenticator,
                                              const QString &proxyHost) {
    Q_UNUSED(requestUrl)
    // The engine's own proxy is the program's forwarding proxy, which serves only this engine.
    if (BrowserProxy *proxy = BrowserProxy::active();
        proxy && (proxyHost == u"127.0.0.1" || proxyHost == u"localhost")) {
        authenticator->setUser(proxy->accessUser());
        authenticator->setPassword(proxy->accessPassword());
        return;
    }
    // Without credentials for this proxy the authenticator stays empty and the request fails.
    if (!m_proxyUserName.isEmpty() && proxyHost.compare(m_proxyHost, Qt::CaseInsensitive) == 0) {
        authenticator->setUser(m_proxyUserName);
        authenticator->setPassword(m_proxyPassword);
    }
}

// The engine names a site our own forwarding proxy could not reach ERR_TUNNEL_CONNECTION_FAILED,
// as if the user had set up a proxy: the page names the site and the proxy's reason instead.
void WebEnginePane::showUnreachable(const QWebEngineLoadingInfo &info) {
    constexpr int Aborted = -3; // a stop or a new navigation, no failure
    const bool unreachable = info.errorDomain() == QWebEngineLoadingInfo::ConnectionErrorDomain ||
                             info.errorDomain() == QWebEngineLoadingInfo::DnsErrorDomain;
    if (!m_unreachableText || !unreachable || info.errorCode() == Aborted) {
        return;
    }
    const QString host = info.url().host().isEmpty() ? info.url().toString() : info.url().host();
    const BrowserProxy *proxy = BrowserProxy::active();
    QString reason = proxy != nullptr ? proxy->upstreamFailure(host) : QString();
    if (reason.isEmpty()) {
        reason = info.errorString();
    }
    const QString text = m_unreachableText(host, reason).toHtmlEscaped();
    m_page->setHtml(u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"_s + host.toHtmlEscaped() +
                        u"</title></head><body style=\"font-family:sans-serif;margin:3em\"><h2>"_s + text +
                        u"</h2></body></html>"_s,
                    info.url());
}
