#pragma once

#include "core/library/libraryentry.h"
#include "core/library/libraryfilter.h"
#include "core/model/leadrow.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QList>
#include <QStringList>

class LeadLibrary;

// The companies of the library that pass a filter, as a table: the row's cells in column order,
// then when it was first and last seen, its search address and what failed. Only the count is
// read up front; rows are read a page at a time as the view asks for them, and only the last
// few pages are held, so a library of a million companies costs no more than a screenful.
// A closed library shows no row.
class LibraryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        FirstSeenColumn = LeadRow::ColumnCount,
        LastSeenColumn,
        SearchAddressColumn,
        FailureColumn,
        ColumnCount
    };
    static constexpr int PageRows = 200;
    static constexpr int HeldPages = 8;

    explicit LibraryModel(const LeadLibrary &library, QObject *parent = nullptr);

    const LibraryFilter &filter() const { return m_filter; }
    // Shows the companies that pass filter, from the first.
    void setFilter(const LibraryFilter &filter);
    // Counts again after the library changed: rows beyond the old count come in at the end
    // (companies enter in order), and every row shown is read anew. Fewer rows start afresh.
    void refresh();
    // The caption of every column, in column order.
    void setCaptions(const QStringList &captions);

    // The entries at rows (any order), in row order, read in pages; a row the library no longer
    // has is left out.
    QList<LibraryEntry> entries(const QList<int> &rows) const;
    // The pages read and held at the moment.
    int heldPages() const { return int(m_pages.size()); }
    // Why the last read failed; empty after one that worked.
    const QString &errorString() const { return m_error; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A page could not be read; said after the paint that asked for it. A failed count is in
    // errorString once setFilter or refresh returns.
    void readFailed(const QString &reason);

private:
    int countRows();
    // The entry at row, reading its page when it is not held; null past the rows read.
    const LibraryEntry *find(int row) const;
    void clearPages() const;

    const LeadLibrary &m_library;
    LibraryFilter m_filter;
    int m_count = 0;
    QStringList m_captions;
    mutable QCache<int, QList<LibraryEntry>> m_pages{HeldPages};
    mutable QString m_error;
};

// A cell of an entry as the table shows it.
QString LibraryCellText(const LibraryEntry &entry, int column);
