#include "gui/browser/scriptcall.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

namespace {

// Shared with the engine's callback, which may arrive after the wait has given up.
struct PendingCall {
    bool finished = false;
    ScriptCallResult result;
    QPointer<QEventLoop> loop;

    void finish(ScriptCallResult value) {
        if (finished) {
            return;
        }
        finished = true;
        result = std::move(value);
        if (loop) {
            loop->quit();
        }
    }
};

} // namespace

ScriptCallResult RunScriptInApplicationWorld(QWebEnginePage *page, const QString &source, int timeoutMs) {
    if (!page) {
        return {QVariant(), QStringLiteral("There is no page.")};
    }
    auto pending = std::make_shared<PendingCall>();
    QEventLoop loop;
    pending->loop = &loop;

    QObject::connect(page, &QObject::destroyed, &loop, [pending] {
        pending->finish({QVariant(), QStringLiteral("The page is being torn down.")});
    });
    QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop, [pending] {
        pending->finish({QVariant(), QStringLiteral("The page's renderer process has ended.")});
    });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [pending, timeoutMs] {
        pending->finish({QVariant(), QStringLiteral("The page did not answer within %1 ms.").arg(timeoutMs)});
    });
    timer.start(timeoutMs);

    page->runJavaScript(source, QWebEngineScript::ApplicationWorld, [pending](const QVariant &value) {
        pending->finish({value, QString()});
    });

    // exec() would miss a quit() that came before it started, so test first.
    if (!pending->finished) {
        loop.exec();
    }
    pending->loop = nullptr;
    return pending->result;
}
