#include "core/account/pagebudget.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using Window = PageBudget::Wait::Window;

namespace {

const QDateTime kStart = QDateTime::fromMSecsSinceEpoch(1'800'000'000'000, Qt::UTC);

class PageBudgetTest : public ::testing::Test {
protected:
    // A budget on the test's file; its clock shows m_now, running on with real time once m_running starts.
    std::unique_ptr<PageBudget> make() {
        return std::make_unique<PageBudget>(
            m_path, [this] { return m_now.addMSecs(m_running.isValid() ? m_running.elapsed() : 0); });
    }
    static void record(PageBudget &budget, int reads) {
        for (int i = 0; i < reads; ++i) {
            ASSERT_EQ(budget.recordRead(), QString());
        }
    }
    QByteArray fileBytes() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray lines(const QList<QDateTime> &times) {
        QByteArray text;
        for (const QDateTime &time : times) {
            text += QByteArray::number(time.toMSecsSinceEpoch()) + '\n';
        }
        return text;
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"data/pagereads.dat"_s);
    QDateTime m_now = kStart;
    QElapsedTimer m_running;
};

} // namespace

TEST_F(PageBudgetTest, TheReadOverALimitWaitsUntilTheOldestLeavesItsWindow) {
    struct Case {
        const char *name;
        int perHour, perDay;
        bool spent;
        Window window;
        int untilMinutes; // two reads at the start, two 30 minutes later
    };
    const Case cases[] = {
        {"room in both", 5, 10, false, Window::Hour, 0},
        {"hour spent", 4, 10, true, Window::Hour, 60},
        {"day spent", 10, 4, true, Window::Day, 24 * 60},
        {"both spent: the later end", 4, 4, true, Window::Day, 24 * 60},
        {"limit below the count", 2, 10, true, Window::Hour, 90},
    };
    for (const Case &c : cases) {
        m_now = kStart;
        QFile::remove(m_path);
        const auto budget = make();
        budget->setLimits(c.perHour, c.perDay);
        record(*budget, 2);
        m_now = kStart.addSecs(30 * 60);
        record(*budget, 2);
        const PageBudget::Wait wait = budget->check();
        ASSERT_EQ(wait.spent, c.spent) << c.name;
        if (c.spent) {
            EXPECT_EQ(wait.window, c.window) << c.name;
            EXPECT_EQ(wait.limit, c.window == Window::Hour ? c.perHour : c.perDay) << c.name;
            EXPECT_EQ(wait.until, kStart.addSecs(c.untilMinutes * 60)) << c.name;
            m_now = wait.until.addMSecs(-1);
            EXPECT_TRUE(budget->check().spent) << c.name;
            m_now = wait.until;
            EXPECT_FALSE(budget->check().spent) << c.name;
        }
    }
}

TEST_F(PageBudgetTest, CountSpansInstancesSkipsADamagedLineAndIsTheOwnersAlone) {
    record(*make(), 3);
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("12x45\n");
    file.close();
    m_now = kStart.addSecs(61 * 60);
    const auto budget = make();
    EXPECT_EQ(budget->readsInLastHour(), 0);
    EXPECT_EQ(budget->readsInLastDay(), 3);
    record(*budget, 1); // a damaged file is written anew
    EXPECT_EQ(fileBytes(), lines({kStart, kStart, kStart, m_now}));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(m_path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(PageBudgetTest, RewriteKeepsExactlyTheReadsOfTheLastDay) {
    const auto budget = make();
    record(*budget, 4);
    const QDateTime later = kStart.addSecs(20 * 3600);
    m_now = later;
    record(*budget, 1);
    EXPECT_EQ(fileBytes(), lines({kStart, kStart, kStart, kStart, later})); // appended
    m_now = kStart.addSecs(25 * 3600);
    record(*budget, 1);
    EXPECT_EQ(fileBytes(), lines({later, m_now}));
}

TEST_F(PageBudgetTest, TakeReadPausesOnceThenRecordsWhenTheHourFrees) {
    const auto budget = make();
    budget->setLimits(2, 10);
    record(*budget, 2);
    m_now = kStart.addSecs(3600).addMSecs(-40);
    m_running.start();
    QList<PageBudget::Wait> pauses;
    EXPECT_TRUE(QCoro::waitFor(TakeRead(*budget, StopToken::Create(), [&](const auto &wait) { pauses.append(wait); })));
    ASSERT_EQ(pauses.size(), 1);
    EXPECT_EQ(pauses.at(0).until, kStart.addSecs(3600));
    EXPECT_EQ(budget->readsInLastHour(), 1);
    EXPECT_EQ(budget->readsInLastDay(), 3);
}

TEST_F(PageBudgetTest, TakeReadEndsFalseOnStopAndRecordsNothing) {
    const auto budget = make();
    budget->setLimits(1, 1);
    record(*budget, 1);
    const StopToken stop = StopToken::Create();
    int pauses = 0;
    QTimer::singleShot(20, [stop] { stop.request(); });
    EXPECT_FALSE(QCoro::waitFor(TakeRead(*budget, stop, [&](const auto &) { ++pauses; })));
    EXPECT_EQ(pauses, 1);
    EXPECT_FALSE(QCoro::waitFor(TakeRead(*budget, stop, {})));
    EXPECT_EQ(budget->readsInLastDay(), 1);
}
