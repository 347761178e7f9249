#pragma once

#include <QTableView>

class ResultsList;

// The results list as the user sees it: one column per cell, 100 pixels or as wide as its caption
// in the language shown, grid lines, whole rows selected (several at once), nothing edited in
// place, never sorted, and the selection keeps its colours when the list loses the focus.
class ResultsView : public QTableView {
    Q_OBJECT

public:
    explicit ResultsView(ResultsList &list, QWidget *parent = nullptr);

    static constexpr int ColumnWidth = 100;

private:
    void fitColumnsToCaptions(int first, int last);
};
