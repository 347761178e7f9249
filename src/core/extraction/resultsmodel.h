#pragma once

#include "core/model/leadrow.h"
#include "core/model/packedrows.h"

#include <QAbstractTableModel>

#include <array>
#include <vector>

// The rows of the results list as a table: one column per cell, rows in insertion order, text
// only. It is never sorted nor edited by the user; a row is only replaced whole (replaceRow).
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    // The row decoded; cell() decodes one cell alone.
    LeadRow row(int row) const { return m_rows.row(row); }
    QString cell(int row, int column) const { return m_rows.cell(row, column); }
    const PackedRows &packedRows() const { return m_rows; }
    void appendRow(const LeadRow &row);
    // Adds the rows at the end in one insertion.
    void appendRows(PackedRows rows);
    // Puts row in place of the one at index, as one change of data across all its columns.
    void replaceRow(int index, const LeadRow &row);
    // Removes every row whose flag is set (flags has one entry per row). Few contiguous runs are
    // removed run by run; a fragmented set is removed in one pass behind a model reset, so the
    // cost stays linear in the number of rows either way.
    void removeFlaggedRows(const std::vector<bool> &flags);
    void clear();

    QString columnCaption(int column) const;
    void setColumnCaption(int column, const QString &caption);

    // Above this many runs, removeFlaggedRows resets the model instead.
    static constexpr int MaxRemovedRuns = 16;

private:
    PackedRows m_rows;
    std::array<QString, LeadRow::ColumnCount> m_captions;
};
