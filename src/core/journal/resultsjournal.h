#pragma once

#include "core/journal/journalfile.h"
#include "core/journal/recordbuffer.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>

class Dialogs;
class QLocale;
class QModelIndex;
class ResultsList;
class UiTexts;

// Keeps the rows of the results list in a file, so that they outlive a crash, a kill or a
// power cut: every change of the list is added to the file as a record (see journalrecords.h).
// - Changes reach the disk within FlushDelayMs of the first one not yet written, on flush(),
//   and when the journal goes. Until then a listed row costs nothing but a note: the rows
//   listed since the last write become records when the journal writes, or before rows are
//   removed. The list must outlive the journal.
// - A row replaced in place has no record of its own: the file is rewritten at the next write.
// - A file holding more than twice as many records as the list has rows is rewritten with one
//   record per row; when the list becomes empty the file is removed.
// - At start, the rows the last session left are offered back.
// - One program at a time keeps the journal: a lock file beside it says which. The lock of a
//   program that was killed is taken over.
class ResultsJournal : public QObject {
    Q_OBJECT

public:
    enum class Start {
        Journalling,
        HeldByAnotherCopy, // another running program keeps the journal: this one keeps none
        Undecided,         // the question was closed unanswered: the file stays for the next start
        KeptInPlace        // the file could not be read nor moved aside: it stays as it is
    };

    // Nothing is read or written before start().
    ResultsJournal(ResultsList &list, QString path, QObject *parent = nullptr);
    ~ResultsJournal() override;

    // When the file holds rows, asks whether to restore or discard them, giving their number and
    // the time of the file's last change in locale; Restore lists them through the list, Discard
    // moves the file aside, keeping one discarded file. A file that cannot be read is moved
    // aside under a name of its own and the user told where it went; the rows before its first
    // damaged record are offered as above. Only when this returns Journalling is every later
    // change of the list journalled; otherwise the journal does nothing more.
    Start start(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale);
    // Writes what is buffered and waits until it is on the disk.
    void flush();

    const QString &path() const { return m_file.path(); }

    // Half the second the journal promises, so a busy event loop still keeps the promise.
    static constexpr int FlushDelayMs = 500;

Q_SIGNALS:
    // Writing began to fail: the rows are not kept until a later write succeeds.
    void writeFailed(const QString &reason);

private:
    enum class Offer { Nothing, Continued, Restored, Discarded, Undecided, KeptInPlace };
    Offer restoreLastSession(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale);
    // Renames a file that cannot be read, so the next session starts afresh and it stays for a
    // closer look; false, and the user told, when it cannot be moved.
    bool moveAside(const QString &reason, qsizetype rowsRead, Dialogs &dialogs, const UiTexts &texts);
    void rowsInserted(const QModelIndex &parent, int first, int last);
    void rowsAboutToBeRemoved();
    void rowsRemoved(const QModelIndex &parent, int first, int last);
    void rowsChanged();
    // Adds a record for every row listed since the last one recorded.
    void recordListedRows();
    void armFlushTimer();
    // Writes what waits, without waiting for the disk; false when it cannot.
    bool writePending();
    // Replaces the file by one record per row of the list, or removes it when the list is empty.
    void rewrite();
    void report(bool ok);

    ResultsList &m_list;
    JournalFile m_file;
    RecordBuffer m_pending;
    // The rows from this one on are listed but not yet in m_pending.
    int m_unrecordedFrom = 0;
    // The records in the file and in m_pending.
    qsizetype m_records = 0;
    // A rewrite failed: the file no longer matches the list until one succeeds.
    bool m_rewriteDue = false;
    bool m_failing = false;
    bool m_active = false;
    QLockFile m_lock;
    QTimer m_flushTimer;
};
