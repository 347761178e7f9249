#include "core/extraction/resultslist.h"

#include "core/app/dialogs.h"
#include "core/app/openlink.h"
#include "core/app/statussink.h"
#include "core/host/host.h"
#include "core/settings/uitexts.h"

#include <algorithm>
#include <utility>

ResultsList::ResultsList(Pieces pieces) : m_pieces(pieces) {}

void ResultsList::appendRow(const LeadRow &row) {
    m_duplicatedItems.append(row[LeadRow::LinkedInLink]);
    m_model.appendRow(row);
}

void ResultsList::appendRows(PackedRows rows) {
    for (qsizetype i = 0; i < rows.size(); ++i) {
        m_duplicatedItems.append(rows.cell(i, LeadRow::LinkedInLink));
    }
    m_model.appendRows(std::move(rows));
}

bool ResultsList::isKnownLink(const QString &link) const {
    return m_duplicatedItems.contains(link);
}

bool ResultsList::replaceListedRow(const LeadRow &row) {
    const QString &link = row[LeadRow::LinkedInLink];
    if (link.trimmed().isEmpty() || !isKnownLink(link)) {
        return false;
    }
    const DuplicatedItems::MembershipEqual sameLink;
    for (int index = 0; index < rowCount(); ++index) {
        if (sameLink(cell(index, LeadRow::LinkedInLink), link)) {
            m_model.replaceRow(index, row);
            return true;
        }
    }
    return false;
}

void ResultsList::refreshItemsListed() {
    m_pieces.status.setPanelText(StatusSink::ListedPanel, m_pieces.texts.format(QStringLiteral("main45"), rowCount()));
}

QList<LeadRow> ResultsList::rows() const {
    QList<LeadRow> all;
    all.reserve(rowCount());
    for (int i = 0; i < rowCount(); ++i) {
        all.append(row(i));
    }
    return all;
}

QList<int> ResultsList::selectedRows() const {
    const std::vector<bool> flags = selectedRowFlags();
    QList<int> selected;
    for (int i = 0; i < static_cast<int>(flags.size()); ++i) {
        if (flags[static_cast<std::size_t>(i)]) {
            selected.append(i);
        }
    }
    return selected;
}

std::vector<bool> ResultsList::selectedRowFlags() const {
    std::vector<bool> flags(static_cast<std::size_t>(rowCount()), false);
    // Read from the ranges: asking row by row would cost a scan of all ranges per row.
    for (const QItemSelectionRange &range : m_selection.selection()) {
        if (!range.isValid()) {
            continue;
        }
        const int last = std::min(range.bottom(), rowCount() - 1);
        for (int i = std::max(range.top(), 0); i <= last; ++i) {
            flags[static_cast<std::size_t>(i)] = true;
        }
    }
    return flags;
}

QStringList ResultsList::columnCaptions() const {
    QStringList captions;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        captions.append(m_model.columnCaption(column));
    }
    return captions;
}

void ResultsList::setColumnCaption(int column, const QString &caption) {
    m_model.setColumnCaption(column, caption);
}

void ResultsList::selectAll() {
    applyToAllRows(QItemSelectionModel::Select);
}

void ResultsList::clearSelection() {
    applyToAllRows(QItemSelectionModel::Deselect);
}

// One range from the first row to the last: the selection model and the view handle it in time
// that does not grow with the list.
void ResultsList::applyToAllRows(QItemSelectionModel::SelectionFlags command) {
    if (rowCount() == 0) {
        return;
    }
    const QItemSelection rows(m_model.index(0, 0), m_model.index(rowCount() - 1, LeadRow::ColumnCount - 1));
    m_selection.select(rows, command | QItemSelectionModel::Rows);
}

bool ResultsList::deleteSelected() {
    if (!m_pieces.dialogs.confirm(Dialogs::Icon::Warning, m_pieces.texts.text(QStringLiteral("main55")))) {
        return false;
    }
    // The selection is read after the question: rows may have been appended while it was open.
    const std::vector<bool> flags = selectedRowFlags();
    for (int i = static_cast<int>(flags.size()) - 1; i >= 0; --i) {
        if (flags[static_cast<std::size_t>(i)]) {
            m_duplicatedItems.removeLastMatching(cell(i, LeadRow::LinkedInLink));
        }
    }
    m_model.removeFlaggedRows(flags);
    refreshItemsListed();
    return true;
}

bool ResultsList::deleteAll() {
    if (!m_pieces.dialogs.confirm(Dialogs::Icon::Warning, m_pieces.texts.text(QStringLiteral("main54")))) {
        return false;
    }
    m_duplicatedItems.clear();
    m_model.clear();
    refreshItemsListed();
    return true;
}

QCoro::Task<> ResultsList::openSelectedCell(int column, StopToken stop) {
    const std::optional<int> first = firstSelectedRow();
    if (column < 0 || column >= LeadRow::ColumnCount || !first) {
        co_return;
    }
    co_await OpenLink(m_pieces.host, m_pieces.dialogs, m_pieces.texts, cell(*first, column), std::move(stop));
}

std::optional<int> ResultsList::firstSelectedRow() const {
    std::optional<int> first;
    for (const QItemSelectionRange &range : m_selection.selection()) {
        if (range.isValid() && range.top() < rowCount() && (!first || range.top() < *first)) {
            first = range.top();
        }
    }
    return first;
}
