#pragma once

#include "core/model/leadrow.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Exported files are checked in Windows-1252 so the expected bytes do not depend on the
// machine's locale; the previous code page returns when the scope ends.
class Windows1252Scope {
public:
    Windows1252Scope();
    ~Windows1252Scope();
    Windows1252Scope(const Windows1252Scope &) = delete;
    Windows1252Scope &operator=(const Windows1252Scope &) = delete;
};

// A row whose every cell names its row and column ("r7c12"), so misplaced cells show.
LeadRow NumberedRow(int row);
QStringList NumberedCells(int row);
QStringList CaptionList();

// The bytes of an export line of plain Latin-1 fields, with its CR LF; written out by hand so
// the expected bytes do not come from the code under test.
QByteArray QuotedLine(const QStringList &fields, const QByteArray &delimiter = ",");

QByteArray ReadFileBytes(const QString &path);

// The file's records as Python's csv module reads them (Windows-1252). ok is false, with the
// reason, when Python cannot read the file or its last line lacks CR LF.
struct PythonRecords {
    bool ok = false;
    QString error;
    QList<QStringList> records;
};
PythonRecords ReadWithPython(const QString &path, const QString &delimiter);
