#include "core/async/tasktracker.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QStringList &Logged() {
    static QStringList messages;
    return messages;
}

void Collect(QtMsgType, const QMessageLogContext &, const QString &message) {
    Logged().append(message);
}

QCoro::Task<> FailsAtOnce() {
    throw std::runtime_error("broken before any wait");
    co_return;
}

TEST(TaskTracker, ATaskThatFailedBeforeItsFirstWaitIsStillReported) {
    TaskTracker tracker;
    int idle = 0;
    QObject::connect(&tracker, &TaskTracker::idle, [&] { ++idle; });
    const QtMessageHandler previous = qInstallMessageHandler(Collect);
    tracker.track(FailsAtOnce());
    qInstallMessageHandler(previous);
    ASSERT_EQ(Logged().size(), 1);
    EXPECT_TRUE(Logged().first().contains(QStringLiteral("broken before any wait")));
    EXPECT_TRUE(tracker.isIdle());
    EXPECT_EQ(idle, 1);
}

} // namespace
