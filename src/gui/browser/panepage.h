#pragma once

#include <QWebEnginePage>

// The pane's page: reports script errors instead of showing them, and keeps new windows in the
// pane. A new-window request the user started (a link with a target, a shift-click) loads in this
// page; one a script started on its own (pop-ups) is dropped.
//
// With links kept out, a web link the user follows away from the page (in the page itself or
// into a new window) is reported instead of loaded; links within the page, other schemes,
// forms, reloads and the program's own navigations load as before.
class PanePage : public QWebEnginePage {
    Q_OBJECT

public:
    explicit PanePage(QWebEngineProfile *profile, QObject *parent = nullptr);

    void setLinksKeptOut(bool keptOut) { m_linksKeptOut = keptOut; }

Q_SIGNALS:
    void scriptErrorReported(const QString &message);
    void linkKeptOut(const QUrl &url);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    void openNewWindowHere(QWebEngineNewWindowRequest &request);
    bool keepsOut(const QUrl &url) const;

    bool m_linksKeptOut = false;
};
