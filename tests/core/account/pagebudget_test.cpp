#include "core/account/pagebudget.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

using Window = PageBudget::Wait::Window;

namespace {

QDateTime At(int minutes) {
    return QDateTime::fromMSecsSinceEpoch(1'800'000'000'000, Qt::UTC).addSecs(minutes * 60LL);
}
QByteArray Line(int minutes) {
    return QByteArray::number(At(minutes).toMSecsSinceEpoch()) + '\n';
}

// Budgets on a file in a temporary folder, with a clock that shows m_now.
class PageBudgetTest : public ::testing::Test {
protected:
    void record(PageBudget &budget, int reads, int minutes) {
        m_now = At(minutes);
        for (int i = 0; i < reads; ++i) {
            EXPECT_EQ(budget.recordRead(), QString());
        }
    }
    QByteArray file() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("pagereads.dat"));
    QDateTime m_now;
    const PageBudget::Clock m_clock = [this] {
        return m_now;
    };
};

} // namespace

TEST_F(PageBudgetTest, TheReadOverALimitWaitsUntilTheOldestLeavesItsWindow) {
    struct Case {
        int perHour, perDay; // reads: two at minute 0, two at minute 30
        Window window;
        int untilMinutes; // 0: not spent
    } const cases[] = {{5, 10, {}, 0},
                       {4, 10, Window::Hour, 60},
                       {10, 4, Window::Day, 24 * 60},
                       {4, 4, Window::Day, 24 * 60}, // both spent: the later end
                       {2, 10, Window::Hour, 90}};   // a limit below the count
    for (const Case &c : cases) {
        QFile::remove(m_path);
        PageBudget budget(m_path, m_clock);
        budget.setLimits(c.perHour, c.perDay);
        record(budget, 2, 0);
        record(budget, 2, 30);
        const PageBudget::Wait wait = budget.check();
        ASSERT_EQ(wait.spent, c.untilMinutes > 0) << c.perHour << "/" << c.perDay;
        if (wait.spent) {
            EXPECT_EQ(wait.window, c.window);
            EXPECT_EQ(wait.limit, c.window == Window::Hour ? c.perHour : c.perDay);
            EXPECT_EQ(wait.until, At(c.untilMinutes));
            m_now = wait.until;
            EXPECT_FALSE(budget.check().spent);
        }
    }
}

TEST_F(PageBudgetTest, FileKeepsTheReadsOfTheLastDayForTheOwnerOnlyAndSkipsADamagedLine) {
    QFile damaged(m_path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("12x45\n" + Line(0));
    damaged.close();
    m_now = At(0);
    PageBudget first(m_path, m_clock);
    EXPECT_EQ(first.readsInLastHour(), 1);
    record(first, 3, 0);       // the damaged file is written anew, then appended to
    record(first, 1, 20 * 60); // appended
    EXPECT_EQ(file(), Line(0).repeated(4) + Line(20 * 60));
    m_now = At(25 * 60);
    PageBudget second(m_path, m_clock);
    EXPECT_EQ(second.readsInLastDay(), 1);
    record(second, 1, 25 * 60); // six lines for two reads: written anew
    EXPECT_EQ(file(), Line(20 * 60) + Line(25 * 60));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(m_path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(PageBudgetTest, TakeReadPausesOnceAndRecordsWhenTheHourFreesButNotAfterStop) {
    PageBudget budget(m_path, m_clock);
    budget.setLimits(2, 10);
    record(budget, 2, 0);
    m_now = At(60).addMSecs(-40);
    QList<PageBudget::Wait> pauses;
    const auto onPause = [&](const PageBudget::Wait &wait) {
        pauses.append(wait);
    };
    const auto thenLater = [&](const PageBudget::Wait &wait) {
        onPause(wait), m_now = wait.until;
    };
    EXPECT_TRUE(QCoro::waitFor(TakeRead(budget, StopToken::Create(), thenLater)));
    ASSERT_EQ(pauses.size(), 1);
    EXPECT_EQ(pauses.at(0).until, At(60));
    EXPECT_EQ(budget.readsInLastHour(), 1);

    budget.setLimits(1, 1);
    const StopToken stop = StopToken::Create();
    QTimer::singleShot(20, [stop] { stop.request(); });
    EXPECT_FALSE(QCoro::waitFor(TakeRead(budget, stop, onPause)));
    EXPECT_EQ(pauses.size(), 2);
    EXPECT_EQ(budget.readsInLastDay(), 3);
}
