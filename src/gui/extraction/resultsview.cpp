#include "gui/extraction/resultsview.h"

#include "core/extraction/resultslist.h"

#include <QHeaderView>
#include <QPalette>

#include <algorithm>

ResultsView::ResultsView(ResultsList &list, QWidget *parent) : QTableView(parent) {
    // Header sizes first, so the sections are created at their final size.
    horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    // Fixed, uniform row heights keep layout work independent of the number of rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();

    setModel(&list.model());
    QItemSelectionModel *ownSelection = selectionModel();
    setSelectionModel(&list.selectionModel());
    if (ownSelection != nullptr && ownSelection != &list.selectionModel()) {
        delete ownSelection;
    }
    // The headers made selection models of their own as well. The list's replaced them, but Qt
    // keeps them alive and listening to the model, which costs two calls for every row appended.
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        for (QItemSelectionModel *made : header->findChildren<QItemSelectionModel *>(Qt::FindDirectChildrenOnly)) {
            if (made != &list.selectionModel()) {
                delete made;
            }
        }
    }

    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setWordWrap(false);

    QPalette colours = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);

    connect(&list.model(), &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation, int first, int last) {
                if (orientation == Qt::Horizontal) {
                    fitColumnsToCaptions(first, last);
                }
            });
    fitColumnsToCaptions(0, horizontalHeader()->count() - 1);
}

// A caption is never cut: a column widens to hold a longer translation, and narrows again to
// the usual width for a shorter one.
void ResultsView::fitColumnsToCaptions(int first, int last) {
    QHeaderView *header = horizontalHeader();
    for (int column = first; column <= last && column < header->count(); ++column) {
        header->resizeSection(column, std::max(ColumnWidth, header->sectionSizeHint(column)));
    }
}
