#include "core/host/hostservices.h"
#include "core/host/linuxhost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The real host, counting how often PumpDelay had to go back to sleep.
class CountingHost : public LinuxHost {
public:
    CountingHost() : LinuxHost(u"unused.ini"_s) {}
    void waitForEvents(int maxMs) override {
        ++waits;
        LinuxHost::waitForEvents(maxMs);
    }
    int waits = 0;
};

class PumpDelayOnRealEventLoop : public ::testing::Test {
protected:
    CountingHost host;
};

TEST_F(PumpDelayOnRealEventLoop, WaitsAtLeastTheDurationSleepingInTheEventLoop) {
    bool timerFired = false;
    QTimer::singleShot(20, qApp, [&timerFired] { timerFired = true; });
    QElapsedTimer clock;
    clock.start();
    PumpDelay(host, 200);
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_TRUE(timerFired);
    // Sleeping until the deadline takes one or two wake-ups; a spinning wait would take thousands.
    EXPECT_LE(host.waits, 3);
}

TEST_F(PumpDelayOnRealEventLoop, NestedWaitReturnsFirstAndOuterWaitKeepsItsOwnDuration) {
    QStringList order;
    QElapsedTimer outerClock;
    qint64 innerElapsed = -1;
    QTimer::singleShot(50, qApp, [&] {
        order.append(u"inner start"_s);
        QElapsedTimer innerClock;
        innerClock.start();
        PumpDelay(host, 150);
        innerElapsed = innerClock.elapsed();
        order.append(u"inner end"_s);
    });
    outerClock.start();
    PumpDelay(host, 300);
    order.append(u"outer end"_s);
    EXPECT_EQ(order, (QStringList{u"inner start"_s, u"inner end"_s, u"outer end"_s}));
    EXPECT_GE(innerElapsed, 150);
    EXPECT_GE(outerClock.elapsed(), 300);
}

TEST_F(PumpDelayOnRealEventLoop, ApplicationExitDuringAWaitDoesNotMakeItSpin) {
    QTimer::singleShot(20, qApp, [] { QCoreApplication::exit(0); });
    QElapsedTimer clock;
    clock.start();
    PumpDelay(host, 200);
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_LE(host.waits, 3);
    // Running the application loop once clears the pending exit for the tests that follow.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

TEST_F(PumpDelayOnRealEventLoop, ZeroProcessesPendingEventsWithoutWaiting) {
    bool delivered = false;
    QMetaObject::invokeMethod(
        qApp, [&delivered] { delivered = true; }, Qt::QueuedConnection);
    PumpDelay(host, 0);
    EXPECT_TRUE(delivered);
    EXPECT_EQ(host.waits, 0);
}

} // namespace
