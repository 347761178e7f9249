#include "core/async/tasktracker.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcTasks, "tarnwick.async.tasks", QtWarningMsg)

} // namespace

void TaskTracker::Warn(const char *what) {
    qCWarning(lcTasks) << "a task ended with an error:" << what;
}

void TaskTracker::Ended() {
    if (--m_alive == 0) {
        Q_EMIT idle();
    }
}
