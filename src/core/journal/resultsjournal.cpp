#include "core/journal/resultsjournal.h"

#include "core/app/dialogs.h"
#include "core/extraction/resultslist.h"
#include "core/journal/journalrecords.h"
#include "core/settings/uitexts.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcJournal, "tarnwick.journal", QtInfoMsg)

void AddListedRecord(RecordBuffer &buffer, const LeadRow &row) {
    buffer.commit(WriteListedRecord(row, buffer.reserve(MaxListedRecordSize(row))));
}

} // namespace

ResultsJournal::ResultsJournal(ResultsList &list, QString path, QObject *parent)
    : QObject(parent), m_list(list), m_file(std::move(path)) {
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &ResultsJournal::flush);
}

ResultsJournal::~ResultsJournal() {
    flush();
}

void ResultsJournal::start(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale) {
    const int rowsBefore = m_list.rowCount();
    const bool restored = restoreLastSession(dialogs, texts, locale);
    m_unrecordedFrom = m_list.rowCount();
    // The file goes on from the restored rows only where they are all the list holds.
    if (!restored || rowsBefore != 0 || m_records > 2 * qsizetype(m_list.rowCount())) {
        rewrite();
    }
    ResultsModel &model = m_list.model();
    connect(&model, &ResultsModel::rowsInserted, this, &ResultsJournal::rowsInserted);
    connect(&model, &ResultsModel::rowsAboutToBeRemoved, this, &ResultsJournal::rowsAboutToBeRemoved);
    connect(&model, &ResultsModel::rowsRemoved, this, &ResultsJournal::rowsRemoved);
    connect(&model, &ResultsModel::modelReset, this, &ResultsJournal::rewrite);
}

bool ResultsJournal::restoreLastSession(Dialogs &dialogs, const UiTexts &texts, const QLocale &locale) {
    QFile file(m_file.path());
    if (!file.exists()) {
        return false;
    }
    const QDateTime ended = QFileInfo(file).lastModified();
    JournalContent content;
    if (file.open(QIODevice::ReadOnly)) {
        content = ReadJournal(file.readAll());
    } else {
        content.readable = false;
        content.errorString = file.errorString();
    }
    file.close();
    if (!content.readable) {
        moveAside(content.errorString, dialogs, texts);
        return false;
    }
    if (content.rows.empty()) {
        return false;
    }
    const QString question = texts.format(
        u"main100"_s, QStringList{QString::number(content.rows.size()), locale.toString(ended, QLocale::ShortFormat)});
    if (!dialogs.confirm(Dialogs::Icon::Information, question)) {
        return false;
    }
    // Listed before the journal follows the list, so they are not journalled a second time.
    for (LeadRow &row : content.rows) {
        m_list.appendRow(std::move(row));
    }
    m_list.refreshItemsListed();
    m_records = content.records;
    // A new record must not continue one that was cut short.
    return !content.cutShort;
}

void ResultsJournal::moveAside(const QString &reason, Dialogs &dialogs, const UiTexts &texts) {
    const QString aside = m_file.path() + u".corrupt-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    if (!QFile::rename(m_file.path(), aside)) {
        qCWarning(lcJournal).noquote() << u"cannot read the journal %1 (%2), nor move it aside"_s.arg(path(), reason);
        return;
    }
    qCWarning(lcJournal).noquote() << u"cannot read the journal %1 (%2); moved it to %3"_s.arg(path(), reason, aside);
    dialogs.showMessage(Dialogs::Icon::Warning, texts.format(u"main101"_s, QStringList{aside}));
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
    if (writePending() && m_file.isOpen()) {
        report(m_file.sync());
    }
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
    }
    m_failing = !ok;
}
