#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a test needs to know of the first sheet of an .xlsx file, read with unzip and
// QXmlStreamReader, so nothing of the writer checks its own output.
struct SheetContent {
    QString error;             // empty when the file could be read
    QList<QStringList> rows;   // the cells' text, row by row, from column A
    bool everyCellText = true; // every cell a shared or inline string, none with a formula
    QString frozenPane;        // the pane's state and split, as "frozen 1"
    QString autoFilter;        // the filter's range, as "A1:C3"
};

SheetContent ReadFirstSheet(const QString &path);
