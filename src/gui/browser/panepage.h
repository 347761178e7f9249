#pragma once

#include <QWebEnginePage>

// The pane's page: reports script errors instead of showing them, and keeps new windows in the
// pane. A new-window request the user started (a link with a target, a shift-click) loads in this
// page; one a script started on its own (pop-ups) is dropped.
class PanePage : public QWebEnginePage {
    Q_OBJECT

public:
    explicit PanePage(QWebEngineProfile *profile, QObject *parent = nullptr);

Q_SIGNALS:
    void scriptErrorReported(const QString &message);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;

private:
    void openNewWindowHere(QWebEngineNewWindowRequest &request);
};
