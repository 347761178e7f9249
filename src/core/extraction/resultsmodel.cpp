#include "core/extraction/resultsmodel.h"

#include <utility>

namespace {

struct Run {
    int first;
    int last;
};

std::vector<Run> FlaggedRuns(const std::vector<bool> &flags) {
    std::vector<Run> runs;
    const int count = static_cast<int>(flags.size());
    for (int row = 0; row < count; ++row) {
        if (!flags[static_cast<std::size_t>(row)]) {
            continue;
        }
        if (!runs.empty() && runs.back().last == row - 1) {
            runs.back().last = row;
        } else {
            runs.push_back({row, row});
        }
    }
    return runs;
}

} // namespace

ResultsModel::ResultsModel(QObject *parent) : QAbstractTableModel(parent), m_captions(DefaultColumnCaptions()) {}

int ResultsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : LeadRow::ColumnCount;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    return cell(index.row(), index.column());
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // The tooltip shows the whole caption where a narrow column cuts it.
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || orientation != Qt::Horizontal || section < 0 ||
        section >= LeadRow::ColumnCount) {
        return {};
    }
    return columnCaption(section);
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool ResultsModel::removeRows(int row, int count, const QModelIndex &parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row + count - 1);
    m_rows.erase(row, count);
    endRemoveRows();
    return true;
}

void ResultsModel::appendRow(const LeadRow &row) {
    const int position = rowCount();
    beginInsertRows({}, position, position);
    m_rows.append(row);
    endInsertRows();
}

void ResultsModel::appendRows(PackedRows rows) {
    if (rows.empty()) {
        return;
    }
    const int position = rowCount();
    beginInsertRows({}, position, position + static_cast<int>(rows.size()) - 1);
    m_rows.append(std::move(rows));
    endInsertRows();
}

void ResultsModel::replaceRow(int index, const LeadRow &row) {
    if (index < 0 || index >= rowCount()) {
        return;
    }
    m_rows.replace(index, row);
    Q_EMIT dataChanged(this->index(index, 0), this->index(index, LeadRow::ColumnCount - 1));
}

void ResultsModel::removeFlaggedRows(const std::vector<bool> &flags) {
    const std::vector<Run> runs = FlaggedRuns(flags);
    if (runs.empty()) {
        return;
    }
    if (static_cast<int>(runs.size()) <= MaxRemovedRuns) {
        // From the last run to the first, so the earlier runs keep their row numbers.
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            removeRows(run->first, run->last - run->first + 1);
        }
        return;
    }
    beginResetModel();
    m_rows.removeFlagged(flags);
    endResetModel();
}

void ResultsModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QString ResultsModel::columnCaption(int column) const {
    if (column < 0 || column >= LeadRow::ColumnCount) {
        return {};
    }
    return m_captions[static_cast<std::size_t>(column)];
}

void ResultsModel::setColumnCaption(int column, const QString &caption) {
    if (column < 0 || column >= LeadRow::ColumnCount) {
        return;
    }
    m_captions[static_cast<std::size_t>(column)] = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}
