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

void PanePage::openNewWindowHere(QWebEngineNewWindowRequest &request) {
    if (request.isUserInitiated() && request.requestedUrl().isValid()) {
        setUrl(request.requestedUrl());
    }
}
