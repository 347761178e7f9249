#pragma once

#include "core/model/leadrow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The one line format of every exported file: each field between double quotes, fields
// separated by the delimiter (an empty delimiter puts them side by side), no line end.
// A double quote inside a field is doubled, so every CSV reader sees the field whole.

// Appends one field to line, preceded by the delimiter unless it is the line's first field.
void AppendExportField(QString &line, QStringView field, QStringView delimiter, bool first);

QString ExportLine(const QStringList &fields, QStringView delimiter);
// All twenty cells of a row, in cell order.
QString ExportLine(const LeadRow &row, QStringView delimiter);
// Splits export lines back into their cells. text holds one or more lines, each closed by CR LF
// or by the end of the text; a line break inside a field belongs to the field. With an empty
// delimiter the fields of a line cannot be told apart from doubled quotes: they read as one.
QList<QStringList> SplitExportLines(QStringView text, QStringView delimiter);
