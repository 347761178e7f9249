#include "gui/browser/panepage.h"

#include <QWebEngineNewWindowRequest>

PanePage::PanePage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent) {
    connect(this, &QWebEnginePage::newWindowRequested, this, &PanePage::openNewWindowHere);
}

void PanePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                        const QString &sourceId) {
    Q_UNUSED(lineNumber)
    Q_UNUSED(sourceId)
    // Uncaught exceptions arrive here at error level (so do the page's own console.error calls).
    if (level == ErrorMessageLevel) {
        Q_EMIT scriptErrorReported(message);
    }
}

bool PanePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
    if (isMainFrame && type == NavigationTypeLinkClicked && keepsOut(url) &&
        !url.matches(this->url(), QUrl::RemoveFragment)) {
        Q_EMIT linkKeptOut(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void PanePage::openNewWindowHere(QWebEngineNewWindowRequest &request) {
    if (!request.isUserInitiated() || !request.requestedUrl().isValid()) {
        return;
    }
    if (keepsOut(request.requestedUrl())) {
        Q_EMIT linkKeptOut(request.requestedUrl());
        return;
    }
    setUrl(request.requestedUrl());
}

// Only web links: the engine hands other schemes (mail, telephone) to the desktop itself.
bool PanePage::keepsOut(const QUrl &url) const {
    const QString scheme = url.scheme().toLower();
    return m_linksKeptOut && (scheme == u"http" || scheme == u"https");
}
