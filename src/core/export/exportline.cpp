#include "core/export/exportline.h"

#include <utility>

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

QList<QStringList> SplitExportLines(QStringView text, QStringView delimiter) {
    QList<QStringList> records;
    QStringList cells;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        QString cell;
        if (text[pos] == u'"') {
            ++pos;
            while (pos < size) {
                if (text[pos] == u'"') {
                    if (pos + 1 < size && text[pos + 1] == u'"') {
                        cell += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                cell += text[pos++];
            }
        }
        // Text outside the quotes, which the writer never puts there, is kept as it stands.
        while (pos < size && text[pos] != u'\r' && text[pos] != u'"' &&
               (delimiter.isEmpty() || !text.sliced(pos).startsWith(delimiter))) {
            cell += text[pos++];
        }
        cells.append(std::move(cell));
        if (pos >= size || text.sliced(pos).startsWith(u"\r\n")) {
            records.append(std::exchange(cells, {}));
            pos += 2;
        } else if (!delimiter.isEmpty() && text.sliced(pos).startsWith(delimiter)) {
            pos += delimiter.size();
        } else if (text[pos] == u'\r') {
            ++pos; // a lone carriage return outside quotes
        }
    }
    return records;
}
