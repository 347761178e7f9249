#pragma once

// The timed steps shared by the list benchmark with and without a view attached, each run with
// and without the journal.
#include "core/app/contextpieces.h"
#include "core/extraction/resultslist.h"
#include "core/host/linuxhost.h"
#include "core/journal/resultsjournal.h"
#include "support/fakehost.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>

namespace resultsbench {

constexpr int RowCount = 100000;

inline LeadRow CompanyRow(int number) {
    LeadRow row;
    row[LeadRow::Category] = QStringLiteral("Software");
    row[LeadRow::BusinessName] = QStringLiteral("Company %1").arg(number);
    row[LeadRow::FullAddress] = QStringLiteral("%1 Main Street, Springfield").arg(number);
    row[LeadRow::Website] = QStringLiteral("https://company%1.example").arg(number);
    row[LeadRow::LinkedInLink] = QStringLiteral("https://www.linkedin.com/company/company-%1").arg(number);
    return row;
}

inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs step, then settle (which lets an attached view react), and prints the wall time and the
// processor time of both; the processor time is the steadier figure on a busy machine.
inline double Timed(const char *what, const std::function<void()> &step, const std::function<void()> &settle) {
    QElapsedTimer timer;
    const double cpuBefore = ThreadCpuMs();
    timer.start();
    step();
    settle();
    const double wallMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const double cpuMs = ThreadCpuMs() - cpuBefore;
    std::printf("  %-56s %8.1f ms wall %8.1f ms cpu\n", what, wallMs, cpuMs);
    return cpuMs;
}

// RowCount distinct companies, built before any timing starts.
inline QList<LeadRow> Companies() {
    QList<LeadRow> rows;
    rows.reserve(RowCount);
    for (int i = 0; i < RowCount; ++i) {
        rows.append(CompanyRow(i));
    }
    return rows;
}

// Appends the rows, each after the duplicate test a parser makes.
inline void Fill(ResultsList &list, const QList<LeadRow> &rows) {
    for (const LeadRow &row : rows) {
        if (!list.isKnownLink(row[LeadRow::LinkedInLink])) {
            list.appendRow(row);
        }
    }
    list.refreshItemsListed();
}

// Built range by range and handed over whole: merging 50,000 ranges one at a time is quadratic
// in Qt's selection code, and that is not what this measures.
inline void SelectEveryOtherRow(ResultsList &list) {
    QItemSelection rows;
    for (int i = 0; i < list.rowCount(); i += 2) {
        rows.append(QItemSelectionRange(list.model().index(i, 0), list.model().index(i, LeadRow::ColumnCount - 1)));
    }
    list.selectionModel().select(rows, QItemSelectionModel::Select);
}

// Prints one line per step; returns the slowest step's processor time in milliseconds. With a
// journal, writing the rows to its file is a step of its own after the appends.
inline double RunAll(ResultsList &list, const std::function<void()> &settle, ResultsJournal *journal = nullptr) {
    double slowest = 0;
    const auto step = [&](const char *what, const std::function<void()> &work) {
        slowest = std::max(slowest, Timed(what, work, settle));
    };
    const QList<LeadRow> companies = Companies();
    QStringList upperLinks;
    for (const LeadRow &row : companies) {
        upperLinks.append(row[LeadRow::LinkedInLink].toUpper());
    }
    step("append 100,000 rows, each after the duplicate test", [&] { Fill(list, companies); });
    if (journal != nullptr) {
        step("flush the journal (records, write, fdatasync)", [&] { journal->flush(); });
    }
    step("test 100,000 known links (different letter case)", [&] {
        int known = 0;
        for (const QString &link : upperLinks) {
            known += list.isKnownLink(link) ? 1 : 0;
        }
        if (known != RowCount) {
            std::printf("  unexpected: %d known links\n", known);
        }
    });
    step("Select All (100,000 rows)", [&] { list.selectAll(); });
    step("Clear Selection (100,000 rows)", [&] { list.clearSelection(); });
    SelectEveryOtherRow(list);
    settle();
    step("Delete Selected, every other row (50,000 of 100,000)", [&] { list.deleteSelected(); });
    list.deleteAll();
    Fill(list, companies);
    list.selectAll();
    settle();
    step("Delete Selected, all 100,000 rows", [&] { list.deleteSelected(); });
    Fill(list, companies);
    settle();
    step("Delete All (100,000 rows)", [&] { list.deleteAll(); });
    return slowest;
}

// Without arguments, runs the program once with "--plain" and once with "--journal", each in a
// process of its own: a second run in one process would find the memory the first one freed,
// and appending is mostly the cost of touching fresh memory.
inline int InOwnProcesses(int argc, char **argv, const std::function<int(bool journalled)> &run) {
    if (argc > 1) {
        return run(QByteArrayView(argv[1]) == "--journal");
    }
    for (const char *option : {"--plain", "--journal"}) {
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QString::fromLocal8Bit(argv[0]), {QString::fromLatin1(option)});
        if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            return 1;
        }
    }
    return 0;
}

// A results list on the real host in a temporary folder, journalled or not.
struct ListUnderTest {
    explicit ListUnderTest(bool journalled) {
        context.texts.setText(QStringLiteral("main45"), QStringLiteral("[VAR1] items listed"));
        if (journalled) {
            journal.emplace(list, dir.filePath(QStringLiteral("results.journal")));
            journal->start(dialogs, context.texts, QLocale::c());
        }
    }
    ResultsJournal *journalOrNull() { return journal ? &*journal : nullptr; }

    QTemporaryDir dir;
    LinuxHost host{dir.filePath(QStringLiteral("registry.ini"))};
    FakeDialogs dialogs;
    FakeStatus status;
    AppContext context{host, status, dialogs};
    ResultsList list{ListPiecesOf(context)};
    std::optional<ResultsJournal> journal;
};

} // namespace resultsbench
