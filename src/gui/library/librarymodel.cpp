#include "gui/library/librarymodel.h"

#include "core/library/leadlibrary.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

QString TimeText(const QDateTime &time) {
    return time.isValid() ? time.toLocalTime().toString(u"yyyy-MM-dd HH:mm"_s) : QString();
}

} // namespace

QString LibraryCellText(const LibraryEntry &entry, int column) {
    switch (column) {
    case LibraryModel::FirstSeenColumn:
        return TimeText(entry.firstSeen);
    case LibraryModel::LastSeenColumn:
        return TimeText(entry.lastSeen);
    case LibraryModel::SearchAddressColumn:
        return entry.searchAddress;
    case LibraryModel::FailureColumn:
        return entry.failure;
    default:
        return column >= 0 && column < LeadRow::ColumnCount ? entry.row[column] : QString();
    }
}

LibraryModel::LibraryModel(const LeadLibrary &library, QObject *parent)
    : QAbstractTableModel(parent), m_library(library) {}

void LibraryModel::setFilter(const LibraryFilter &filter) {
    beginResetModel();
    m_filter = filter;
    clearPages();
    m_count = countRows();
    endResetModel();
}

void LibraryModel::refresh() {
    const int count = countRows();
    if (count < m_count) {
        beginResetModel();
        clearPages();
        m_count = count;
        endResetModel();
        return;
    }
    clearPages();
    if (count > m_count) {
        beginInsertRows({}, m_count, count - 1);
        m_count = count;
        endInsertRows();
    }
    if (m_count > 0) {
        Q_EMIT dataChanged(index(0, 0), index(m_count - 1, ColumnCount - 1));
    }
}

void LibraryModel::setCaptions(const QStringList &captions) {
    m_captions = captions;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int LibraryModel::countRows() {
    if (!m_library.isOpen()) {
        return 0;
    }
    const LibraryResult<qint64> count = m_library.count(m_filter);
    m_error = count.errorString;
    if (!count.ok()) {
        return 0;
    }
    return int(std::min<qint64>(count.value, std::numeric_limits<int>::max()));
}

void LibraryModel::clearPages() const {
    m_pages.clear();
}

const LibraryEntry *LibraryModel::find(int row) const {
    if (row < 0 || row >= m_count) {
        return nullptr;
    }
    const int number = row / PageRows;
    QList<LibraryEntry> *page = m_pages.object(number);
    if (!page) {
        LibraryResult<QList<LibraryEntry>> read = m_library.page(m_filter, qint64(number) * PageRows, PageRows);
        m_error = read.errorString;
        if (!read.ok()) {
            // Said after the view's paint: the failed page is held empty until the next count.
            auto *self = const_cast<LibraryModel *>(this);
            QMetaObject::invokeMethod(
                self, [self, reason = m_error] { Q_EMIT self->readFailed(reason); }, Qt::QueuedConnection);
        }
        page = new QList<LibraryEntry>(std::move(read.value));
        m_pages.insert(number, page);
    }
    const int offset = row % PageRows;
    return offset < page->size() ? &page->at(offset) : nullptr;
}

QList<LibraryEntry> LibraryModel::entries(const QList<int> &rows) const {
    // In row order, so each page is read once however few are held.
    QList<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    QList<LibraryEntry> found;
    found.reserve(ordered.size());
    for (const int row : ordered) {
        if (const LibraryEntry *entry = find(row)) {
            found << *entry;
        }
    }
    return found;
}

int LibraryModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_count;
}

int LibraryModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const LibraryEntry *entry = find(index.row());
    if (!entry) {
        return {};
    }
    // The failure and the search address are long: the whole text shows as a hint.
    if (role == Qt::ToolTipRole) {
        const bool longText = index.column() == FailureColumn || index.column() == SearchAddressColumn;
        return longText ? QVariant(LibraryCellText(*entry, index.column())) : QVariant();
    }
    return LibraryCellText(*entry, index.column());
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return m_captions.value(section);
}
