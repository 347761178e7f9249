#include "gui/app/tarnwickapplication.h"

#include "core/app/endsprogram.h"

#include <QLoggingCategory>
#include <QWidget>

#include <exception>

TarnwickApplication::TarnwickApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TarnwickApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        handleUncaughtError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        handleUncaughtError(QString());
    }
    return false;
}

void TarnwickApplication::ReportError(const QString &message) {
    if (auto *app = qobject_cast<TarnwickApplication *>(QCoreApplication::instance())) {
        app->handleUncaughtError(message);
        return;
    }
    qWarning().noquote() << "error:" << message;
}

namespace {

Q_LOGGING_CATEGORY(lcErrors, "tarnwick.errors", QtInfoMsg)

} // namespace

bool TarnwickApplication::handleUncaughtError(const QString &message) {
    qCWarning(lcErrors).noquote() << "error:" << message;
    if (!EndsProgram(message)) {
        Q_EMIT errorDropped(message);
        return false;
    }
    Q_EMIT endingAfterError(message);
    // In order: the windows close (their close handlers ask any run to stop), then the event
    // loop ends; the status tells the caller the program did not end normally.
    closeAllWindows();
    exit(1);
    return true;
}
