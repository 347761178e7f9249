#include "core/export/exportline.h"

void AppendExportField(QString &line, QStringView field, QStringView delimiter, bool first) {
    if (!first) {
        line += delimiter;
    }
    line += u'"';
    if (!field.contains(u'"')) {
        line += field;
    } else {
        for (const QChar c : field) {
            if (c == u'"') {
                line += u'"';
            }
            line += c;
        }
    }
    line += u'"';
}

QString ExportLine(const QStringList &fields, QStringView delimiter) {
    QString line;
    bool first = true;
    for (const QString &field : fields) {
        AppendExportField(line, field, delimiter, first);
        first = false;
    }
    return line;
}

QString ExportLine(const LeadRow &row, QStringView delimiter) {
    QString line;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        AppendExportField(line, row[column], delimiter, column == 0);
    }
    return line;
}
