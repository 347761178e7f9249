#pragma once

#include "core/journal/journalfile.h"
#include "core/journal/recordbuffer.h"

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
// - A file holding more than twice as many records as the list has rows is rewritten with one
//   record per row; when the list becomes empty the file is removed.
// - At start, the rows the last session left are offered back.
class ResultsJournal : public QObject {
    Q_OBJECT

public:
    // Nothing is read or written before start().
    ResultsJournal(ResultsList &list, QString path, QObject *parent = nullptr);
    ~ResultsJournal() override;

    // When the file holds rows, asks whether to list them again, giving their number and the
    // time of the file's last change in locale; Yes lists them through the list, No discards
    // them. A file that cannot be read is moved aside and the user told where it went. From
    // then on every change of the list is journalled.
    void start(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale);
    // Writes what is buffered and waits until it is on the disk.
    void flush();

    const QString &path() const { return m_file.path(); }

    // Half the second the journal promises, so a busy event loop still keeps the promise.
    static constexpr int FlushDelayMs = 500;

private:
    // True when the rows were listed again and the file can go on from them.
    bool restoreLastSession(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale);
    // Renames a file that cannot be read, so the next session starts afresh and it stays for a
    // closer look.
    void moveAside(const QString &reason, Dialogs &dialogs, const UiTexts &texts);
    void rowsInserted(const QModelIndex &parent, int first, int last);
    void rowsAboutToBeRemoved();
    void rowsRemoved(const QModelIndex &parent, int first, int last);
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
    QTimer m_flushTimer;
};
