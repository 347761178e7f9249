#pragma once

#include <QTableView>

class ResultsList;

// The results list as the user sees it: one 100-pixel column per cell, grid lines, whole rows
// selected (several at once), nothing edited in place, never sorted, and the selection keeps its
// colours when the list loses the focus.
class ResultsView : public QTableView {
    Q_OBJECT

public:
    explicit ResultsView(ResultsList &list, QWidget *parent = nullptr);

    static constexpr int ColumnWidth = 100;
};
