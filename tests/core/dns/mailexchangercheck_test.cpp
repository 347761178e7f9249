#include "core/dns/mailexchangercheck.h"
#include "samplesite/loopbackdns.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

// Short, so a silent server is given up on well before the default bound.
constexpr auto TestBound = 300ms;

class MailExchangerCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dns.start());
        m_dns.addMx(QStringLiteral("mail.test"), QStringLiteral("mx.mail.test"));
        m_dns.addAddress(QStringLiteral("web.test"), QHostAddress(QStringLiteral("192.0.2.7")));
        m_dns.addAddress(QStringLiteral("six.test"), QHostAddress(QStringLiteral("2001:db8::7")));
        m_dns.addName(QStringLiteral("bare.test"));
        m_dns.addMx(QStringLiteral("nullmx.test"), QString());
        m_dns.addAddress(QStringLiteral("nullmx.test"), QHostAddress(QStringLiteral("192.0.2.8")));
        m_dns.addSilent(QStringLiteral("silent.test"));
    }

    LoopbackDns m_dns;
};

TEST_F(MailExchangerCheckTest, GradesEachKindOfDomainWithinTheBound) {
    const struct {
        const char *domain;
        const char *expected;
    } cases[] = {
        {"mail.test", "has MX"},
        {"Mail.Test.", "has MX"},
        {"web.test", "no MX (A fallback)"},
        {"six.test", "no MX (A fallback)"},
        {"bare.test", "no mail server"},
        {"nullmx.test", "no mail server"},
        {"missing.test", "no mail server"},
        {"silent.test", "not checked"},
        {"", "not checked"},
    };
    for (const auto &c : cases) {
        MailExchangerCheck check(m_dns.server(), TestBound);
        QElapsedTimer elapsed;
        elapsed.start();
        const MailServerStatus status = QCoro::waitFor(check.check(QString::fromUtf8(c.domain)));
        EXPECT_EQ(MailServerStatusText(status), QString::fromUtf8(c.expected)) << c.domain;
        EXPECT_LT(elapsed.elapsed(), MailExchangerCheck::DefaultBound.count() / 2) << c.domain;
    }
}

TEST_F(MailExchangerCheckTest, TheBoundHoldsForTheLookupInAll) {
    // Three servers, each tried twice: c-ares alone would wait three times the bound.
    const QString servers = QStringList(3, m_dns.server()).join(u',');
    MailExchangerCheck check(servers, TestBound);
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(QCoro::waitFor(check.check(QStringLiteral("silent.test"))), MailServerStatus::NotChecked);
    EXPECT_LT(elapsed.elapsed(), 2 * TestBound.count());
    EXPECT_GE(m_dns.queryCount(), 3);
}

TEST_F(MailExchangerCheckTest, AResolverThatCannotStartChecksNothing) {
    MailExchangerCheck check(QStringLiteral("not a server"), TestBound);
    EXPECT_FALSE(check.errorString().isEmpty());
    EXPECT_EQ(QCoro::waitFor(check.check(QStringLiteral("mail.test"))), MailServerStatus::NotChecked);
}

TEST_F(MailExchangerCheckTest, ASecondCheckAsksTheServerNothingUntilCleared) {
    MailExchangerCheck check(m_dns.server(), TestBound);
    EXPECT_EQ(QCoro::waitFor(check.check(QStringLiteral("web.test"))), MailServerStatus::NoMxAFallback);
    const int asked = m_dns.queryCount();
    EXPECT_EQ(QCoro::waitFor(check.check(QStringLiteral("WEB.test"))), MailServerStatus::NoMxAFallback);
    EXPECT_EQ(m_dns.queryCount(), asked);
    check.clear();
    EXPECT_EQ(QCoro::waitFor(check.check(QStringLiteral("web.test"))), MailServerStatus::NoMxAFallback);
    EXPECT_EQ(m_dns.queryCount(), 2 * asked);
}

TEST_F(MailExchangerCheckTest, ConcurrentCallersShareOneLookup) {
    MailExchangerCheck check(m_dns.server(), TestBound);
    QCoro::Task<MailServerStatus> first = check.check(QStringLiteral("mail.test"));
    QCoro::Task<MailServerStatus> second = check.check(QStringLiteral("mail.test"));
    EXPECT_EQ(QCoro::waitFor(first), MailServerStatus::HasMx);
    EXPECT_EQ(QCoro::waitFor(second), MailServerStatus::HasMx);
    EXPECT_EQ(m_dns.queryCount(), 1);
}

TEST_F(MailExchangerCheckTest, AStopEndsOneWaitAndTheEndOfTheCheckEndsTheRest) {
    // A bound no test waits for: only the stop and the destructor can end these waits.
    auto check = std::make_unique<MailExchangerCheck>(m_dns.server(), 60s);
    const StopToken stop = StopToken::Create();
    QCoro::Task<MailServerStatus> stopped = check->check(QStringLiteral("silent.test"), stop);
    QCoro::Task<MailServerStatus> other = check->check(QStringLiteral("silent.test"));
    stop.request();
    ASSERT_TRUE(stopped.isReady());
    EXPECT_EQ(QCoro::waitFor(stopped), MailServerStatus::NotChecked);
    EXPECT_FALSE(other.isReady());
    check.reset();
    ASSERT_TRUE(other.isReady());
    EXPECT_EQ(QCoro::waitFor(other), MailServerStatus::NotChecked);
}

} // namespace
