#include "core/queue/queuefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class QueueFileTest : public testing::Test {
protected:
    QTemporaryDir folder;
    QueueFile file{QueueFile::PathIn(folder.path())};

    static SearchQueue Sample() {
        SearchQueue queue = SearchQueue::FromText(u"software Munich\nfintech\nhttps://www.linkedin.com/x"_s,
                                                  u"https://www.linkedin.com"_s);
        queue.stamp = u"2026-12-10 05-59-01"_s;
        return queue;
    }

    void writeRaw(const QByteArray &bytes) {
        QFile raw(file.path());
        ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
        raw.write(bytes);
    }
};

// Each step as the runner saves it: started, then done and the next started, to the end.
TEST_F(QueueFileTest, EveryStepReadsBackAsWritten) {
    SearchQueue queue = Sample();
    for (qsizetype step = 0; step <= queue.size(); ++step) {
        queue.started = !queue.finished();
        ASSERT_TRUE(file.save(queue).ok);
        const std::optional<SearchQueue> back = file.load();
        ASSERT_TRUE(back);
        EXPECT_EQ(back->searches(), queue.searches());
        EXPECT_EQ(back->stamp, queue.stamp);
        EXPECT_EQ(back->started, queue.started);
        EXPECT_EQ(back->current(), step);
        queue.markDone(step);
    }
}

TEST_F(QueueFileTest, OnlyTheOwnerMayReadIt) {
    ASSERT_TRUE(file.save(Sample()).ok);
    const QFileDevice::Permissions user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    EXPECT_EQ(QFile::permissions(file.path()) & ~user, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // The save replaced the file whole: nothing is left beside it.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"queue.dat"_s});
}

struct DamagedCase {
    const char *name;
    QByteArray bytes;
};

class DamagedQueueFile : public QueueFileTest, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedQueueFile, ReadsAsNoQueue) {
    writeRaw(GetParam().bytes);
    EXPECT_FALSE(file.load());
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedQueueFile,
                         testing::Values(DamagedCase{"Empty", ""}, DamagedCase{"OtherFile", "eHost=\r\n"},
                                         DamagedCase{"UnknownLine", "tarnwick-queue 1\nsearch\t0\thttps://a\nxyz\n"},
                                         DamagedCase{"SearchWithoutAddress", "tarnwick-queue 1\nsearch\t0\t\n"}),
                         [](const testing::TestParamInfo<DamagedCase> &info) { return info.param.name; });

} // namespace
