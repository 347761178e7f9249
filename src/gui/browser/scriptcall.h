#pragma once

#include <QString>
#include <QVariant>

class QWebEnginePage;

// The value of a script run to completion, or why there is none.
struct ScriptCallResult {
    QVariant value;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Runs source in the page's isolated application world and waits for its value while events
// are processed. Ends early with an error when the page is deleted, its renderer ends or
// timeoutMs passes. The caller must not touch the page again before checking it still exists.
ScriptCallResult RunScriptInApplicationWorld(QWebEnginePage *page, const QString &source, int timeoutMs);
