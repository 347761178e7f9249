#include "core/extraction/resultslist.h"
#include "core/journal/resultsjournal.h"
#include "journalrows.h"
#include "support/testcontext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray Bytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class JournalTest : public ::testing::Test {
protected:
    JournalTest() {
        t.context.texts.setText(u"main100"_s, u"[VAR1] rows of [VAR2]"_s);
        t.context.texts.setText(u"main101"_s, u"kept as [VAR1]"_s);
        t.context.texts.setText(u"main149"_s, u"[VAR1] kept as [VAR2]"_s);
    }

    QString path() const { return m_dir.filePath(u"data/results.journal"_s); }
    // Ends the session, whose journal writes what it holds as it goes, and starts the next one
    // on the file as it then is, answering the question, if one is asked, with restore.
    void restart(bool restore = true, const QByteArray &replacedBytes = {}) {
        restart(restore ? Dialogs::Choice::Accept : Dialogs::Choice::Reject, replacedBytes);
    }
    void restart(Dialogs::Choice answer, const QByteArray &replacedBytes = {}) {
        journal.reset();
        if (!replacedBytes.isNull()) {
            QFile file(path());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(file.write(replacedBytes), replacedBytes.size());
        }
        list = std::make_unique<ResultsList>(ListPiecesOf(t.context));
        t.dialogs.shown.clear();
        t.dialogs.choices = {answer};
        journal = std::make_unique<ResultsJournal>(*list, path());
        journal->start(t.dialogs, t.context.texts, QLocale::c());
    }
    void listRows(int first, int count) {
        for (int number = first; number < first + count; ++number) {
            list->appendRow(JournalRow(number));
        }
    }
    // The numbers of the listed rows, each checked cell by cell.
    QList<int> numbers() const {
        QList<int> all;
        for (int row = 0; row < list->rowCount(); ++row) {
            all.append(list->row(row)[LeadRow::LinkedInLink].section(u'/', -1).toInt());
            EXPECT_EQ(list->row(row).cells, JournalRow(all.last()).cells);
        }
        return all;
    }
    // The journal of three rows, and where its last record starts.
    QByteArray threeRows(qsizetype &lastRecord) {
        restart();
        listRows(0, 3);
        restart();
        const QByteArray bytes = Bytes(path());
        lastRecord = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
        return bytes;
    }

    QTemporaryDir m_dir;
    TestContext t;
    std::unique_ptr<ResultsList> list;
    std::unique_ptr<ResultsJournal> journal;
};

void DeleteRows(ResultsList &list, const std::function<bool(int)> &pick) {
    for (int row = 0; row < list.rowCount(); ++row) {
        if (pick(row)) {
            list.selectionModel().select(list.model().index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    list.deleteSelected();
}

} // namespace

TEST_F(JournalTest, TheListComesBackAfterEveryKindOfChange) {
    const std::vector<std::pair<const char *, std::function<void()>>> steps = {
        {"rows listed",
         [this] {
             listRows(0, 40);
         }},
        {"a run of rows deleted",
         [this] {
             DeleteRows(*list, [](int row) { return row >= 5 && row < 10; });
         }},
        {"scattered rows deleted",
         [this] {
             DeleteRows(*list, [](int row) { return row % 2 == 1; });
         }},
        {"most rows deleted",
         [this] {
             DeleteRows(*list, [](int row) { return row < 13; });
         }},
        {"rows listed and one deleted before a write",
         [this] {
             listRows(40, 3);
             DeleteRows(*list, [](int row) { return row == 0; });
         }},
        {"the list emptied",
         [this] {
             list->deleteAll();
         }},
        {"rows listed again",
         [this] {
             listRows(50, 2);
         }},
    };
    restart();
    for (const auto &[what, change] : steps) {
        change();
        journal->flush();
        const QList<int> expected = numbers();
        // At most two records per row, and no file at all for an empty list.
        EXPECT_EQ(QFile::exists(path()), !expected.isEmpty()) << what;
        EXPECT_LE(Bytes(path()).count('\n') - 1, 2 * expected.size()) << what;
        restart();
        EXPECT_EQ(numbers(), expected) << what;
    }
    EXPECT_TRUE(list->isKnownLink(JournalRow(51)[LeadRow::LinkedInLink].toUpper()));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

// The file is read a piece at a time: records cross the pieces' borders.
TEST_F(JournalTest, AJournalOfSeveralMegabytesComesBackWhole) {
    restart();
    listRows(0, 12000);
    restart();
    ASSERT_GT(Bytes(path()).size(), 2 << 20);
    const QList<int> restored = numbers();
    ASSERT_EQ(restored.size(), 12000);
    EXPECT_EQ(restored.last(), 11999);
}

TEST_F(JournalTest, DiscardKeepsOneCopyAndAClosedQuestionDecidesNothing) {
    restart();
    listRows(0, 3);
    journal->flush();
    const QByteArray written = Bytes(path());
    const QString ended = QLocale::c().toString(QFileInfo(path()).lastModified(), QLocale::LongFormat);
    restart(Dialogs::Choice::Undecided);
    listRows(7, 1);
    restart(false);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown.first().text, u"3 rows of "_s + ended);
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_EQ(Bytes(path() + u".discarded"_s), written);
}

TEST_F(JournalTest, ASecondProgramAsksNothingAndKeepsNoJournal) {
    restart();
    listRows(0, 2);
    journal->flush();
    ResultsList otherList(ListPiecesOf(t.context));
    t.dialogs.shown.clear();
    EXPECT_EQ(ResultsJournal(otherList, path()).start(t.dialogs, t.context.texts, QLocale::c()),
              ResultsJournal::Start::HeldByAnotherCopy);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

// A folder in the journal's place, then a pipe: it takes the records but cannot sync them.
TEST_F(JournalTest, AFailedWriteOrSyncIsSaidOnceAndWrittenAgainLater) {
    restart();
    QStringList said;
    QObject::connect(journal.get(), &ResultsJournal::writeFailed, [&](const QString &reason) { said.append(reason); });
    ASSERT_TRUE(QDir().mkpath(path()));
    for (int number = 0; number < 3; ++number) {
        listRows(number, 1);
        journal->flush();
    }
    ASSERT_TRUE(said.size() == 1 && said.first().contains(path()));
    ASSERT_TRUE(QDir().rmdir(path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(path()).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    journal->flush();
    listRows(3, 1);
    journal->flush();
    EXPECT_EQ(said.size(), 2);
    ::close(reader);
    restart();
    EXPECT_EQ(numbers(), QList<int>({0, 1, 2, 3}));
}

TEST_F(JournalTest, ARecordCutAtAnyByteIsLeftOut) {
    qsizetype lastRecord = 0;
    const QByteArray whole = threeRows(lastRecord);
    for (qsizetype cut = lastRecord; cut < whole.size(); ++cut) {
        restart(true, whole.first(cut));
        ASSERT_EQ(numbers(), QList<int>({0, 1})) << "cut at " << cut;
        // The next record does not continue the broken one.
        listRows(9, 1);
        restart();
        ASSERT_EQ(numbers(), QList<int>({0, 1, 9})) << "cut at " << cut;
    }
    restart(true, whole.first(5)); // within the header
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(JournalTest, ADamagedFileIsMovedAsideUnderANewNameAndTheRowsBeforeTheDamageAreOffered) {
    qsizetype lastRecord = 0;
    const QByteArray whole = threeRows(lastRecord);
    const QByteArray cells = "+\t" + QByteArray(LeadRow::ColumnCount - 1, '\t');
    const QByteArray badRecords[] = {"*\tunknown",      "+\tone cell", cells + "\\q", cells + "\xff",
                                     cells + "\\u0041", "-\t1\t5",     "-\t01\t1"};
    std::vector<QByteArray> damaged = {"Another file\n" + whole.sliced(whole.indexOf('\n') + 1)};
    for (const QByteArray &record : badRecords) {
        damaged.push_back(whole.first(lastRecord) + record + '\n' + whole.sliced(lastRecord));
    }
    QStringList asides;
    for (const QByteArray &bytes : damaged) {
        restart(true, bytes);
        const bool header = bytes.startsWith("Another");
        EXPECT_EQ(numbers(), header ? QList<int>() : QList<int>({0, 1})) << bytes.toStdString();
        ASSERT_EQ(t.dialogs.shown.size(), header ? 1 : 2) << bytes.toStdString();
        const QString aside = t.dialogs.shown.last().text.section(u"kept as "_s, 1);
        EXPECT_TRUE(aside.startsWith(path() + u".corrupt-"_s) && !asides.contains(aside));
        asides.append(aside);
        EXPECT_EQ(Bytes(aside), bytes);
        list->deleteAll();
    }
}
