#include "core/journal/resultsjournal.h"

#include "core/app/dialogs.h"
#include "core/extraction/resultslist.h"
#include "core/journal/journalrecords.h"
#include "core/settings/uitexts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcJournal, "tarnwick.journal", QtInfoMsg)

void AddListedRecord(RecordBuffer &buffer, const LeadRow &row) {
    buffer.commit(WriteListedRecord(row, buffer.reserve(MaxListedRecordSize(row))));
}

} // namespace

ResultsJournal::ResultsJournal(ResultsList &list, QString path, QObject *parent)
    : QObject(parent), m_list(list), m_file(path), m_lock(path + u".lock"_s) {
    // A live program holds its lock however long it runs; only a dead one's is taken over.
    m_lock.setStaleLockTime(0);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &ResultsJournal::flush);
}

ResultsJournal::~ResultsJournal() {
    flush();
}

ResultsJournal::Start ResultsJournal::start(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale) {
    QDir().mkpath(QFileInfo(m_file.path()).absolutePath());
    // A lock that cannot even be created leaves the journal to report its own write failures.
    if (!m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError) {
        return Start::HeldByAnotherCopy;
    }
    const int rowsBefore = m_list.rowCount();
    const Offer offer = restoreLastSession(dialogs, texts, locale);
    if (offer == Offer::Undecided || offer == Offer::KeptInPlace) {
        m_lock.unlock();
        return offer == Offer::Undecided ? Start::Undecided : Start::KeptInPlace;
    }
    m_active = true;
    m_unrecordedFrom = m_list.rowCount();
    // The file goes on from the restored rows only where they are all the list holds.
    if (offer != Offer::Continued || rowsBefore != 0 || m_records > 2 * qsizetype(m_list.rowCount())) {
        rewrite();
    }
    ResultsModel &model = m_list.model();
    connect(&model, &ResultsModel::rowsInserted, this, &ResultsJournal::rowsInserted);
    connect(&model, &ResultsModel::rowsAboutToBeRemoved, this, &ResultsJournal::rowsAboutToBeRemoved);
    connect(&model, &ResultsModel::rowsRemoved, this, &ResultsJournal::rowsRemoved);
    connect(&model, &ResultsModel::modelReset, this, &ResultsJournal::rewrite);
    connect(&model, &ResultsModel::dataChanged, this, &ResultsJournal::rowsChanged);
    return Start::Journalling;
}

ResultsJournal::Offer ResultsJournal::restoreLastSession(Dialogs &dialogs, const UiTexts &texts,
                                                         const QLocale &locale) {
    QFile file(m_file.path());
    if (!file.exists()) {
        return Offer::Nothing;
    }
    const QDateTime ended = QFileInfo(file).lastModified();
    JournalContent content;
    if (file.open(QIODevice::ReadOnly)) {
        content = ReadJournal(file);
    } else {
        content.readable = false;
        content.errorString = file.errorString();
    }
    file.close();
    if (content.rows.empty()) {
        const bool moved = content.readable || moveAside(content.errorString, 0, dialogs, texts);
        return moved ? Offer::Nothing : Offer::KeptInPlace;
    }
    const QString question = texts.format(
        u"main100"_s, QStringList{QString::number(content.rows.size()), locale.toString(ended, QLocale::LongFormat)});
    const Dialogs::Choice choice =
        dialogs.choose(Dialogs::Icon::Information, question, texts.text(u"main146"_s), texts.text(u"main147"_s));
    if (choice == Dialogs::Choice::Undecided) {
        return Offer::Undecided;
    }
    if (!content.readable) {
        if (!moveAside(content.errorString, qsizetype(content.rows.size()), dialogs, texts)) {
            return Offer::KeptInPlace;
        }
    } else if (choice == Dialogs::Choice::Reject) {
        // One discarded file is kept, in case the answer was a mistake.
        const QByteArray discarded = QFile::encodeName(m_file.path() + u".discarded"_s);
        if (::rename(QFile::encodeName(m_file.path()).constData(), discarded.constData()) != 0) {
            qCWarning(lcJournal).noquote() << u"cannot move the journal %1 aside"_s.arg(path());
            return Offer::KeptInPlace;
        }
    }
    if (choice == Dialogs::Choice::Reject) {
        return Offer::Discarded;
    }
    // Listed before the journal follows the list, so they are not journalled a second time.
    m_list.appendRows(std::move(content.rows));
    m_list.refreshItemsListed();
    m_records = content.records;
    // A new record must not continue one that was cut short, nor follow a damaged one.
    return content.cutShort || !content.readable ? Offer::Restored : Offer::Continued;
}

bool ResultsJournal::moveAside(const QString &reason, qsizetype rowsRead, Dialogs &dialogs, const UiTexts &texts) {
    const QString stem = m_file.path() + u".corrupt-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString aside = stem;
    for (int number = 2; QFile::exists(aside); ++number) {
        aside = stem + u'-' + QString::number(number);
    }
    if (!QFile::rename(m_file.path(), aside)) {
        qCWarning(lcJournal).noquote() << u"cannot read the journal %1 (%2), nor move it aside"_s.arg(path(), reason);
        dialogs.showMessage(Dialogs::Icon::Warning, texts.format(u"main148"_s, QStringList{path(), reason}));
        return false;
    }
    qCWarning(lcJournal).noquote() << u"cannot read the journal %1 (%2); moved it to %3"_s.arg(path(), reason, aside);
    dialogs.showMessage(Dialogs::Icon::Warning,
                        rowsRead > 0 ? texts.format(u"main149"_s, QStringList{QString::number(rowsRead), aside})
                                     : texts.format(u"main101"_s, QStringList{aside}));
    return true;
}

void ResultsJournal::rowsInserted(const QModelIndex &, int, int last) {
    // Rows are only ever appended; anything else is written as the whole list.
    if (last != m_list.rowCount() - 1) {
        rewrite();
        return;
    }
    armFlushTimer();
}

void ResultsJournal::rowsAboutToBeRemoved() {
    recordListedRows();
}

void ResultsJournal::rowsRemoved(const QModelIndex &, int first, int last) {
    const qsizetype rows = m_list.rowCount();
    m_pending.append(RemovedRecord(first, last - first + 1));
    ++m_records;
    m_unrecordedFrom = static_cast<int>(rows);
    if (rows == 0 || m_records > 2 * rows) {
        rewrite();
        return;
    }
    armFlushTimer();
}

// Records only ever append or remove rows; a rewrite per beat keeps many replacements cheap.
void ResultsJournal::rowsChanged() {
    m_rewriteDue = true;
    armFlushTimer();
}

void ResultsJournal::recordListedRows() {
    const int rows = m_list.rowCount();
    for (int row = m_unrecordedFrom; row < rows; ++row) {
        AddListedRecord(m_pending, m_list.row(row));
    }
    m_records += rows - m_unrecordedFrom;
    m_unrecordedFrom = rows;
}

// Rows keep coming during a run: a timer armed again at every change would never fire.
void ResultsJournal::armFlushTimer() {
    if (!m_flushTimer.isActive()) {
        m_flushTimer.start();
    }
}

bool ResultsJournal::writePending() {
    if (m_rewriteDue) {
        rewrite();
        return !m_rewriteDue;
    }
    recordListedRows();
    if (m_pending.isEmpty()) {
        return true;
    }
    bool written = m_file.open();
    if (written) {
        std::vector<QByteArrayView> parts = m_pending.parts();
        if (m_file.size() == 0) {
            parts.insert(parts.begin(), JournalHeader());
        }
        written = m_file.append(parts);
    }
    if (written) {
        m_pending.clear();
    } else {
        armFlushTimer(); // tried again then
    }
    report(written);
    return written;
}

void ResultsJournal::flush() {
    m_flushTimer.stop();
    if (!m_active || !writePending() || !m_file.isOpen()) {
        return;
    }
    const bool synced = m_file.sync();
    if (!synced) {
        // What the failed sync covered may never reach the disk: the whole list is written anew.
        m_rewriteDue = true;
        armFlushTimer();
    }
    report(synced);
}

void ResultsJournal::rewrite() {
    m_pending.clear();
    m_records = m_unrecordedFrom = m_list.rowCount();
    if (m_records == 0) {
        m_rewriteDue = !m_file.remove();
    } else {
        RecordBuffer content;
        content.append(JournalHeader());
        for (int row = 0; row < m_records; ++row) {
            AddListedRecord(content, m_list.row(row));
        }
        m_rewriteDue = !m_file.replace(content.parts());
    }
    if (m_rewriteDue) {
        armFlushTimer(); // tried again then
    }
    report(!m_rewriteDue);
}

// One warning when writing starts to fail, and a note when it works again.
void ResultsJournal::report(bool ok) {
    if (ok && m_failing) {
        qCInfo(lcJournal).noquote() << u"the journal %1 is written again"_s.arg(m_file.path());
    } else if (!ok && !m_failing) {
        qCWarning(lcJournal).noquote() << m_file.errorString();
        Q_EMIT writeFailed(m_file.errorString());
    }
    m_failing = !ok;
}
