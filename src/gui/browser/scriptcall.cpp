#include "gui/browser/scriptcall.h"

#include "core/async/completion.h"

#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

QCoro::Task<ScriptCallResult> RunScriptInApplicationWorld(QWebEnginePage *page, QString source, int timeoutMs,
                                                          StopToken cancel) {
    if (page == nullptr) {
        co_return ScriptCallResult{QVariant(), QStringLiteral("There is no page.")};
    }
    if (cancel.requested()) {
        co_return ScriptCallResult{QVariant(), QStringLiteral("The page is being torn down.")};
    }
    const Completion<ScriptCallResult> done;
    // Lives as long as this call waits: answers that come later find it gone and are dropped.
    QObject waiting;
    const QPointer<QObject> receiver(&waiting);

    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [done, timeoutMs] {
        done.resolve({QVariant(), QStringLiteral("The page did not answer within %1 ms.").arg(timeoutMs)});
    });
    // Both signals come from inside the engine (the page's destructor, a crash report): the
    // caller goes on from the event loop instead.
    QObject::connect(
        page, &QObject::destroyed, &waiting,
        [done] {
            done.resolve({QVariant(), QStringLiteral("The page is being torn down.")});
        },
        Qt::QueuedConnection);
    QObject::connect(
        page, &QWebEnginePage::renderProcessTerminated, &waiting,
        [done] {
            done.resolve({QVariant(), QStringLiteral("The page's renderer process has ended.")});
        },
        Qt::QueuedConnection);
    const StopCallback onCancel(cancel, [done] {
        done.resolve({QVariant(), QStringLiteral("The page is being torn down.")});
    });
    timer.start(timeoutMs);

    page->runJavaScript(source, QWebEngineScript::ApplicationWorld, [done, receiver](const QVariant &value) {
        if (receiver) {
            QMetaObject::invokeMethod(
                receiver,
                [done, value] {
                    done.resolve({value, QString()});
                },
                Qt::QueuedConnection);
        }
    });
    co_return co_await done;
}
