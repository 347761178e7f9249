#pragma once

#include "core/async/stoptoken.h"
#include "core/extraction/duplicateditems.h"
#include "core/extraction/resultsmodel.h"
#include "core/model/leadrow.h"
#include "core/model/packedrows.h"

#include <QItemSelectionModel>
#include <QList>
#include <QStringList>
#include <qcoro/qcorotask.h>

#include <optional>
#include <vector>

class Dialogs;
class Host;
class StatusSink;
class UiTexts;

// The results list of the main window: its rows, their selection, the links already listed,
// the items-listed counter and the operations of the list buttons. Views show model() with
// selectionModel(); everything else goes through this class.
class ResultsList {
public:
    // What the list reports through and opens links with.
    struct Pieces {
        Host &host;
        StatusSink &status;
        Dialogs &dialogs;
        const UiTexts &texts;
    };

    explicit ResultsList(Pieces pieces);
    ResultsList(const ResultsList &) = delete;
    ResultsList &operator=(const ResultsList &) = delete;

    ResultsModel &model() { return m_model; }
    const ResultsModel &model() const { return m_model; }
    QItemSelectionModel &selectionModel() { return m_selection; }
    const DuplicatedItems &duplicatedItems() const { return m_duplicatedItems; }

    // Adds row at the end and records its LinkedIn link as known.
    void appendRow(const LeadRow &row);
    // The same for many rows at once, as a restored session lists them.
    void appendRows(PackedRows rows);
    bool isKnownLink(const QString &link) const;
    // Puts row in place of the listed row with the same known link (KnownLinkKey); false when
    // no listed row has it. The first such row is replaced, so the list of links stays as it was.
    bool replaceListedRow(const LeadRow &row);
    // Panel 1 of the status bar: "main45" with the row count.
    void refreshItemsListed();

    int rowCount() const { return m_model.rowCount(); }
    LeadRow row(int row) const { return m_model.row(row); }
    QString cell(int row, int column) const { return m_model.cell(row, column); }
    // Every row in list order, decoded.
    QList<LeadRow> rows() const;
    // The selected rows' numbers, ascending.
    QList<int> selectedRows() const;
    // One flag per row, set for the selected ones.
    std::vector<bool> selectedRowFlags() const;
    QStringList columnCaptions() const;
    void setColumnCaption(int column, const QString &caption);

    // The list buttons. The two deletes ask first and return whether the user agreed.
    void selectAll();
    void clearSelection();
    bool deleteSelected();
    bool deleteAll();
    // Opens the given cell of the first selected row in the user's browser, and says so when the
    // desktop could not (OpenLink); nothing without a selection. The cell is read at once, so
    // rows deleted while the browser starts change nothing.
    QCoro::Task<> openSelectedCell(int column, StopToken stop = {});

private:
    void applyToAllRows(QItemSelectionModel::SelectionFlags command);
    std::optional<int> firstSelectedRow() const;

    Pieces m_pieces;
    ResultsModel m_model;
    QItemSelectionModel m_selection{&m_model};
    DuplicatedItems m_duplicatedItems;
};
