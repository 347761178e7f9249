#pragma once

#include "core/async/stoptoken.h"
#include "core/journal/journalfile.h"
#include "core/settings/appsettings.h"

#include <QDateTime>
#include <QString>
#include <qcoro/qcorotask.h>

#include <functional>
#include <vector>

// The file of LinkedIn page reads in the program's data folder.
QString PageBudgetFilePath(const QString &appDataFolder);

// LinkedIn pages read (result pages, company pages, about pages), kept in a file of the program's
// data folder so the count spans runs and restarts. A read counts against the hour budget for 60
// minutes after it and against the day budget for 24 hours. The file holds one read per line, in
// milliseconds since the epoch (UTC); a read a day or more away from now is dropped.
class PageBudget {
public:
    using Clock = std::function<QDateTime()>; // current UTC time; tests pass a fake clock

    // Loads the file: a missing file counts nothing, a damaged line is skipped. No clock: the
    // system's.
    explicit PageBudget(QString filePath, Clock clock = {});

    // Limits below 1 count as 1.
    void setLimits(int perHour, int perDay);

    struct Wait {
        bool spent = false;
        QDateTime until;
        enum class Window { Hour, Day } window = Window::Hour;
        int limit = 0;
    };
    // Whether a read may happen now; when not, until when the reader must wait and which budget
    // is spent (the one that ends later, when both are).
    Wait check() const;

    // Records one read now and keeps it on disk (the file's mode is 0600). An error is returned as
    // text, empty on success; the count in memory holds either way.
    QString recordRead();

    // The longest a waiting reader sleeps before it looks again (60 s unless set): a changed
    // limit or clock takes effect within it. Tests with a clock of their own make it short.
    void setWaitSlice(int milliseconds) { m_waitSliceMs = milliseconds; }

    int readsInLastHour() const;
    int readsInLastDay() const;

private:
    qint64 nowMs() const;
    int readsSince(qint64 start) const;
    Wait spentWait(Wait::Window window, qint64 now) const;
    void load();
    QString rewrite();

    JournalFile m_file;
    Clock m_clock;
    std::vector<qint64> m_reads; // ms since the epoch, ascending
    qsizetype m_fileLines = 0;   // lines in the file, damaged ones included
    bool m_fileDamaged = false;  // rewritten whole at the next read
    int m_perHour = DefaultHourBudget;
    int m_perDay = DefaultDayBudget;
    int m_waitSliceMs = 60 * 1000;

    friend QCoro::Task<bool> TakeRead(PageBudget &, StopToken, std::function<void(const Wait &)>);
};

// Waits until the budget allows a read, then records it. onPause is called once per wait with
// the Wait (the caller says why and until when), and again when what it waits for changes;
// returns false when stop was requested first.
QCoro::Task<bool> TakeRead(PageBudget &budget, StopToken stop, std::function<void(const PageBudget::Wait &)> onPause);
