#include "exporttesthelpers.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// The highest row number the child reported as counted, among the lines it printed.
int LastCounted(QProcess &child, int lastCounted) {
    while (child.canReadLine()) {
        lastCounted = std::max(lastCounted, child.readLine().trimmed().toInt());
    }
    return lastCounted;
}

// Starts the child, kills it with SIGKILL once it has counted at least killAfter rows, and
// checks that the file holds every counted row, complete, in order.
void KillAndCheck(int killAfter, bool pauseAtCount) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess child;
    child.start(QStringLiteral(AUTOSAVE_CHILD_PATH), {dir.path(), QString::number(pauseAtCount ? killAfter : 0)});
    ASSERT_TRUE(child.waitForStarted());

    int lastCounted = 0;
    while (lastCounted < killAfter) {
        ASSERT_TRUE(child.waitForReadyRead(30000)) << child.readAllStandardError().toStdString();
        lastCounted = LastCounted(child, lastCounted);
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    lastCounted = LastCounted(child, lastCounted);

    const QByteArray bytes = ReadFileBytes(dir.filePath(QStringLiteral("Results killed run.csv")));
    const QByteArray header = QuotedLine(CaptionList());
    ASSERT_TRUE(bytes.startsWith(header));
    qsizetype offset = header.size();
    int completeRows = 0;
    for (int row = 1;; ++row) {
        const QByteArray expected = QuotedLine(NumberedCells(row));
        const QByteArray rest = bytes.mid(offset);
        if (rest.startsWith(expected)) {
            offset += expected.size();
            ++completeRows;
            continue;
        }
        // After the last complete row, the kill may at most have cut the row being written.
        EXPECT_TRUE(expected.startsWith(rest)) << "unexpected bytes after row " << completeRows;
        break;
    }
    EXPECT_GE(completeRows, lastCounted);
}

class KilledWhileShowingTheCount : public ::testing::TestWithParam<int> {};

TEST_P(KilledWhileShowingTheCount, CountedRowIsOnDiskComplete) {
    KillAndCheck(GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(AtRow, KilledWhileShowingTheCount, ::testing::Values(1, 2, 97));

class KilledAtAnyMoment : public ::testing::TestWithParam<int> {};

TEST_P(KilledAtAnyMoment, EveryCountedRowIsOnDiskComplete) {
    KillAndCheck(GetParam(), false);
}

INSTANTIATE_TEST_SUITE_P(AfterRows, KilledAtAnyMoment, ::testing::Values(50, 400, 2000));

} // namespace
