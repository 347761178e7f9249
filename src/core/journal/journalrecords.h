#pragma once

#include "core/model/leadrow.h"
#include "core/model/packedrows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// The journal of the results list is UTF-8 text: a header line, then one line per change, each
// ended by a line feed, so a line cut short by a kill or a power cut lacks its line feed.
//   +<TAB>cell 0<TAB>...<TAB>cell 19   a row was appended at the end
//   -<TAB>first<TAB>count              count rows from row first on were removed
// In a cell, a backslash, tab, line feed and carriage return are written \\, \t, \n and \r, and a
// UTF-16 surrogate that is not half of a pair as \u and four hexadecimal digits.

const QByteArray &JournalHeader();
// The most bytes the record of row can take.
qsizetype MaxListedRecordSize(const LeadRow &row);
// Writes the record of row at out, which has room for MaxListedRecordSize(row) bytes, and
// returns where it ends.
char *WriteListedRecord(const LeadRow &row, char *out);
QByteArray RemovedRecord(int first, int count);

// The rows a journal holds once its records are replayed in order.
struct JournalContent {
    // False when a line other than a cut-off last one is not a record of the journal, or a
    // removal names rows the list did not have; rows then holds the rows before that record.
    bool readable = true;
    PackedRows rows;
    qsizetype records = 0;
    // Bytes follow the last complete record: a record cut short, which adds no row.
    bool cutShort = false;
    QString errorString;
};

JournalContent ReadJournal(QByteArrayView bytes);
// The same, read from device a piece at a time, so the file's bytes and its rows are never all
// held at once. A device that fails leaves the content unreadable with the device's error.
JournalContent ReadJournal(QIODevice &device);
