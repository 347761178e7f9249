// Restores a journal of 100,000 rows of about 400 bytes each, as a long session leaves it, and
// prints the time the journal's start takes and the memory it adds at its peak, beside the
// file's size. Targets: under 500 ms, and under twice the file's size.
#include "core/extraction/resultslist.h"
#include "core/journal/journalrecords.h"
#include "core/journal/resultsjournal.h"
#include "support/testcontext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr int RowCount = 100000;

LeadRow LongRow(int number) {
    LeadRow row;
    row[LeadRow::Category] = QStringLiteral("Information Technology and Services");
    row[LeadRow::BusinessName] = QStringLiteral("Company %1 Software Solutions GmbH").arg(number);
    row[LeadRow::FullAddress] = QStringLiteral("Bahnhofstrasse %1, 8001 Zürich, Schweiz").arg(number);
    row[LeadRow::City] = QStringLiteral("Zürich");
    row[LeadRow::Phone] = QStringLiteral("+41 44 %1 00").arg(number, 6, 10, QLatin1Char('0'));
    row[LeadRow::Website] = QStringLiteral("https://www.company%1-software-solutions.example").arg(number);
    row[LeadRow::LinkedInLink] = QStringLiteral("https://www.linkedin.com/company/company-%1-software").arg(number);
    row[LeadRow::MapLink] =
        QStringLiteral("https://maps.example/maps?q=Company+%1+Software+Solutions+Bahnhofstrasse+Zurich").arg(number);
    row[LeadRow::Email] = QStringLiteral("info@company%1.example, sales@company%1.example").arg(number);
    return row;
}

QByteArray JournalOf(int rows) {
    QByteArray bytes = JournalHeader();
    for (int number = 0; number < rows; ++number) {
        const LeadRow row = LongRow(number);
        const qsizetype at = bytes.size();
        bytes.resize(at + MaxListedRecordSize(row));
        bytes.resize(WriteListedRecord(row, bytes.data() + at) - bytes.constData());
    }
    return bytes;
}

// A figure of /proc/self/status in kB.
long StatusKb(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.journal"));
    qint64 fileBytes = 0;
    {
        const QByteArray bytes = JournalOf(RowCount);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            return 1;
        }
        fileBytes = bytes.size();
    }
    TestContext t;
    ResultsList list(ListPiecesOf(t.context));
    ResultsJournal journal(list, path);
    ResetPeak();
    const long before = StatusKb("VmRSS:");
    QElapsedTimer timer;
    const double cpuBefore = ThreadCpuMs();
    timer.start();
    journal.start(t.dialogs, t.context.texts, QLocale::c());
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const double cpuMs = ThreadCpuMs() - cpuBefore;
    const long peak = StatusKb("VmHWM:");
    std::printf("Journal restore, %d rows, file %.1f MB:\n", list.rowCount(), double(fileBytes) / 1e6);
    std::printf("  start (read, ask, list, go on)     %8.1f ms wall %8.1f ms cpu (target < 500)\n", ms, cpuMs);
    std::printf("  memory added at the peak                      %8.1f MB (target < %.1f, twice the file)\n",
                double(peak - before) * 1024 / 1e6, 2 * double(fileBytes) / 1e6);
    return 0;
}
