#include "sitefixture.h"

#include <QElapsedTimer>

#include <future>

using namespace std::chrono_literals;

namespace {

const QString tutorial = QStringLiteral("/tutorial.php");

struct FaultCase {
    const char *name;
    SampleSite::Fault fault;
    int delayMs;
    std::chrono::milliseconds clientTimeout;
    // What the client sees: an answer with this status, or none (-1).
    int status;
    bool fullBody;
    int minimumMs; // the answer takes at least this long
};

const FaultCase faultCases[] = {
    {"Slow", SampleSite::Fault::Slow, 300, 2s, 200, true, 280},
    {"Trickle", SampleSite::Fault::Trickle, 300, 2s, 200, true, 250},
    {"NotFound", SampleSite::Fault::NotFound, 0, 2s, 404, false, 0},
    {"ServerError", SampleSite::Fault::ServerError, 0, 2s, 500, false, 0},
    {"ResetMidBody", SampleSite::Fault::ResetMidBody, 0, 2s, -1, false, 0},
    {"StallOutlastsTheClient", SampleSite::Fault::Stall, 60000, 300ms, -1, false, 280},
    {"StallThenClose", SampleSite::Fault::Stall, 200, 2s, -1, false, 180},
};

void PrintTo(const FaultCase &faultCase, std::ostream *stream) {
    *stream << faultCase.name;
}

class FaultTest : public SampleSiteTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, TheNextRequestGetsTheFaultAndTheOneAfterItDoesNot) {
    const FaultCase &fault = GetParam();
    const QString healthy = Page(tutorial);
    site.setFault(QStringLiteral("/tut"), fault.fault, 1, fault.delayMs);

    QElapsedTimer timer;
    timer.start();
    const httplib::Result result = Get(tutorial, fault.clientTimeout);
    const qint64 elapsed = timer.elapsed();

    if (fault.status < 0) {
        EXPECT_FALSE(result) << "status " << result->status;
    } else {
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, fault.status);
        EXPECT_EQ(QString::fromStdString(result->body) == healthy, fault.fullBody);
    }
    EXPECT_GE(elapsed, fault.minimumMs);
    EXPECT_EQ(Page(tutorial), healthy);
}

INSTANTIATE_TEST_SUITE_P(Modes, FaultTest, ::testing::ValuesIn(faultCases),
                         [](const auto &info) { return std::string(info.param.name); });

class FaultPlanTest : public SampleSiteTest {
protected:
    int Status(const QString &target) const {
        const httplib::Result result = Get(target);
        return result ? result->status : -1;
    }
};

TEST_F(FaultPlanTest, ANegativeCountKeepsTheFaultUntilCleared) {
    site.setFault(QStringLiteral("/affiliates"), SampleSite::Fault::ServerError);
    EXPECT_EQ(Status(QStringLiteral("/affiliates")), 500);
    EXPECT_EQ(Status(QStringLiteral("/affiliates")), 500);
    EXPECT_EQ(Status(tutorial), 200);
    site.clearFaults();
    EXPECT_EQ(Status(QStringLiteral("/affiliates")), 200);
}

TEST_F(FaultPlanTest, TheLongestMatchingPrefixWinsAndNoneRemovesAFault) {
    site.setFault(QStringLiteral("/"), SampleSite::Fault::ServerError);
    site.setFault(QStringLiteral("/tutorial"), SampleSite::Fault::NotFound);
    EXPECT_EQ(Status(tutorial), 404);
    EXPECT_EQ(Status(QStringLiteral("/affiliates")), 500);
    site.setFault(QStringLiteral("/"), SampleSite::Fault::None);
    EXPECT_EQ(Status(QStringLiteral("/affiliates")), 200);
}

TEST_F(FaultPlanTest, TheControlPathsSetAndClearFaultsAndNeverFail) {
    site.setFault(QStringLiteral("/"), SampleSite::Fault::ServerError);
    EXPECT_EQ(Status(QStringLiteral("/_sample/clear")), 200);
    EXPECT_EQ(Status(tutorial), 200);
    EXPECT_EQ(Status(QStringLiteral("/_sample/fault?path=%2Ftutorial&mode=404&count=1")), 200);
    EXPECT_EQ(Status(tutorial), 404);
    EXPECT_EQ(Status(tutorial), 200);
    EXPECT_EQ(Status(QStringLiteral("/_sample/fault?path=/tutorial&mode=sideways")), 400);
}

TEST_F(FaultPlanTest, StopEndsStalledAndTricklingRequestsAtOnce) {
    site.setFault(QStringLiteral("/tutorial"), SampleSite::Fault::Stall, -1, 60000);
    site.setFault(QStringLiteral("/affiliates"), SampleSite::Fault::Trickle, -1, 60000);
    auto stalled = std::async(std::launch::async, [this] { return Get(tutorial, 10s); });
    auto trickling = std::async(std::launch::async, [this] { return Get(QStringLiteral("/affiliates"), 10s); });
    while (site.requestedTargets().size() < 2) {
        std::this_thread::sleep_for(5ms);
    }

    QElapsedTimer timer;
    timer.start();
    site.stop();

    EXPECT_LT(timer.elapsed(), 1500);
    EXPECT_FALSE(stalled.get());
    EXPECT_FALSE(trickling.get());
}

TEST_F(FaultPlanTest, TheLogHoldsEveryTargetInOrderUntilCleared) {
    Get(QStringLiteral("/vsearch/c?keywords=Widgets&page_num=2"));
    Get(QStringLiteral("/nothing-here"));
    EXPECT_EQ(site.requestedTargets(),
              QStringList({QStringLiteral("/vsearch/c?keywords=Widgets&page_num=2"), QStringLiteral("/nothing-here")}));
    site.clearRequestLog();
    EXPECT_TRUE(site.requestedTargets().isEmpty());
}

} // namespace
