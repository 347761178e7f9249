#include "core/async/stoptoken.h"
#include "core/async/tasktracker.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Work begun after the request learns of it at once; copies share the request.
TEST(StopToken, RequestRunsEachCallbackOnceInOrder) {
    const StopToken token = StopToken::Create();
    std::vector<int> ran;
    const StopCallback first(token, [&] { ran.push_back(1); });
    const StopCallback second(token, [&] { ran.push_back(2); });
    token.request();
    token.request();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));

    const StopCallback late(token, [&] { ran.push_back(3); });
    EXPECT_EQ(ran.back(), 3);

    const StopToken copy = token;
    EXPECT_TRUE(copy.requested());
    const StopToken never;
    never.request();
    EXPECT_FALSE(never.requested());
}

TEST(StopToken, ACallbackThatEndsALaterOneKeepsItFromRunning) {
    const StopToken token = StopToken::Create();
    bool laterRan = false;
    std::unique_ptr<StopCallback> later;
    const StopCallback first(token, [&] { later.reset(); });
    later = std::make_unique<StopCallback>(token, [&] { laterRan = true; });
    token.request();
    EXPECT_FALSE(laterRan);
}

QCoro::Task<> FailsAtOnce() {
    throw std::runtime_error("broken before any wait");
    co_return;
}

TEST(TaskTracker, ATaskThatFailedBeforeItsFirstWaitIsStillReported) {
    static QStringList logged;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { logged.append(text); });
    TaskTracker().track(FailsAtOnce());
    qInstallMessageHandler(previous);
    EXPECT_TRUE(logged.size() == 1 && logged.first().contains(QStringLiteral("broken before any wait")));
}

} // namespace
