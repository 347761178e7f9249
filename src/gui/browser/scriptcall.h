#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <QVariant>
#include <qcoro/qcorotask.h>

class QWebEnginePage;

// The value of a script run to completion, or why there is none.
struct ScriptCallResult {
    QVariant value;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Runs source in the page's isolated application world and gives its value. Ends early with an
// error when the page goes away, its renderer ends, timeoutMs passes or cancel is requested.
// The engine's answer is taken up from the event loop, never inside the engine's own call.
QCoro::Task<ScriptCallResult> RunScriptInApplicationWorld(QWebEnginePage *page, QString source, int timeoutMs,
                                                          StopToken cancel);
