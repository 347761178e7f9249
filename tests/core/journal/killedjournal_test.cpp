#include "core/extraction/resultslist.h"
#include "core/journal/journalrecords.h"
#include "core/journal/resultsjournal.h"
#include "journalrows.h"
#include "support/testcontext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>

namespace {

// Kills a child that lists rows at a random moment, then reads its journal: every row that
// was listed more than a second before the kill is back, whole and in order, and nothing else.
void KillAndRestore(qint64 killAtMs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.journal"));
    QProcess child;
    child.start(QStringLiteral(JOURNAL_CHILD_PATH), {path});
    ASSERT_TRUE(child.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    int listedBeforeLastSecond = 0;
    while (clock.elapsed() < killAtMs) {
        child.waitForReadyRead(10);
        // A number read now was printed, and its row listed, before this moment.
        const bool longBeforeTheKill = clock.elapsed() < killAtMs - 1000;
        while (child.canReadLine()) {
            const int listed = child.readLine().trimmed().toInt();
            listedBeforeLastSecond = longBeforeTheKill ? listed : listedBeforeLastSecond;
        }
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished(30000));
    ASSERT_GT(listedBeforeLastSecond, 0) << child.readAllStandardError().toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const JournalContent content = ReadJournal(file.readAll());
    ASSERT_TRUE(content.readable) << content.errorString.toStdString();
    EXPECT_GE(static_cast<int>(content.rows.size()), listedBeforeLastSecond);
    for (qsizetype row = 0; row < content.rows.size(); ++row) {
        ASSERT_EQ(content.rows.row(row).cells, JournalRow(static_cast<int>(row) + 1).cells) << "row " << row;
    }
    TestContext t;
    ResultsList list(ListPiecesOf(t.context));
    EXPECT_EQ(ResultsJournal(list, path).start(t.dialogs, t.context.texts, QLocale::c()),
              ResultsJournal::Start::Journalling)
        << "the lock left by the killed program";
}

TEST(KilledWhileListing, EveryRowListedASecondBeforeTheKillIsRestored) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int kill = 0; kill < 3; ++kill) {
        const qint64 killAtMs = std::uniform_int_distribution<qint64>(1200, 3000)(random);
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", killed after " << killAtMs << " ms");
        KillAndRestore(killAtMs);
    }
}

} // namespace
