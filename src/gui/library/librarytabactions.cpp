// The Library tab's buttons and what they act on: the selected rows.
#include "core/app/dialogs.h"
#include "core/library/leadlibrary.h"
#include "core/settings/uitexts.h"
#include "gui/library/librarymodel.h"
#include "gui/library/librarytab.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Beyond this many selected rows the Complete button does not read them all to find a failure:
// it is enabled when the library holds some.
constexpr int FailureCheckRows = 2 * LibraryModel::PageRows;

bool AnyFailed(const QList<LibraryEntry> &entries) {
    return std::any_of(entries.cbegin(), entries.cend(), [](const LibraryEntry &e) { return !e.failure.isEmpty(); });
}

} // namespace

QList<int> LibraryTab::selectedRows() const {
    QList<int> rows;
    // The ranges, not an index per cell: a whole library may be selected.
    for (const QItemSelectionRange &range : m_view->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows << row;
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QList<LibraryEntry> LibraryTab::selectedEntries() const {
    return m_model->entries(selectedRows());
}

ExportSource LibraryTab::selectedSource() const {
    ExportSource source;
    source.captions = m_pieces.rowCaptions ? m_pieces.rowCaptions() : QStringList();
    const QList<LibraryEntry> entries = selectedEntries();
    for (const LibraryEntry &entry : entries) {
        source.selectedRows << int(source.rows.size());
        source.rows.append(entry.row);
    }
    return source;
}

void LibraryTab::btnExportClick() {
    ExportSource source = selectedSource();
    if (source.rows.empty()) {
        m_pieces.dialogs.showMessage(Dialogs::Icon::Information, m_pieces.texts.text(u"main267"_s));
        return;
    }
    if (m_pieces.exportRows) {
        m_pieces.exportRows(std::move(source));
    }
}

void LibraryTab::btnDeleteClick() {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        m_pieces.dialogs.showMessage(Dialogs::Icon::Information, m_pieces.texts.text(u"main267"_s));
        return;
    }
    if (!m_pieces.dialogs.confirm(Dialogs::Icon::Warning, m_pieces.texts.format(u"main266"_s, rows.size()))) {
        return;
    }
    QList<qint64> ids;
    for (const LibraryEntry &entry : m_model->entries(rows)) {
        ids << entry.id;
    }
    const LibraryResult<int> removed = m_pieces.library.remove(ids);
    m_view->clearSelection();
    refresh();
    if (!removed.ok()) {
        m_pieces.dialogs.showMessage(Dialogs::Icon::Warning, m_pieces.texts.format(u"main272"_s, removed.errorString));
    }
}

void LibraryTab::btnCompleteClick() {
    QList<LibraryEntry> failed = selectedEntries();
    failed.removeIf([](const LibraryEntry &entry) { return entry.failure.isEmpty(); });
    if (!failed.isEmpty()) {
        Q_EMIT completeFailedRows(failed);
    }
}

void LibraryTab::refreshButtons() {
    const QList<int> rows = selectedRows();
    m_btnExport->setEnabled(!rows.isEmpty());
    m_btnDelete->setEnabled(!rows.isEmpty());
    bool failure = false;
    if (rows.size() > FailureCheckRows) {
        if (!m_libraryHasFailures) {
            m_libraryHasFailures = !m_pieces.library.failedRows().value.isEmpty();
        }
        failure = *m_libraryHasFailures;
    } else if (!rows.isEmpty()) {
        failure = AnyFailed(m_model->entries(rows));
    }
    m_btnComplete->setEnabled(failure);
}
