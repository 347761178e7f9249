#include "core/library/cellblob.h"

#include <QStringEncoder>
#include <QtEndian>

#include <algorithm>

namespace {

void AppendNumber(QByteArray &out, quint32 number) {
    const quint32 little = qToLittleEndian(number);
    out.append(reinterpret_cast<const char *>(&little), sizeof little);
}

bool ReadNumber(QByteArrayView blob, qsizetype &at, quint32 &number) {
    if (blob.size() - at < qsizetype(sizeof number)) {
        return false;
    }
    number = qFromLittleEndian<quint32>(blob.data() + at);
    at += qsizetype(sizeof number);
    return true;
}

} // namespace

std::vector<QByteArrayView> CellSlices(QByteArrayView blob) {
    std::vector<QByteArrayView> cells;
    qsizetype at = 0;
    quint32 count = 0;
    if (!ReadNumber(blob, at, count)) {
        return cells;
    }
    // The count is not trusted for the reservation: a damaged blob may claim any number.
    cells.reserve(std::min<std::size_t>(count, 64));
    for (quint32 cell = 0; cell < count; ++cell) {
        quint32 length = 0;
        if (!ReadNumber(blob, at, length) || blob.size() - at < qsizetype(length)) {
            break;
        }
        cells.push_back(blob.sliced(at, qsizetype(length)));
        at += qsizetype(length);
    }
    return cells;
}

QByteArray EncodeSlices(const std::vector<QByteArrayView> &cells) {
    qsizetype size = qsizetype(sizeof(quint32) * (cells.size() + 1));
    for (const QByteArrayView cell : cells) {
        size += cell.size();
    }
    QByteArray out;
    out.reserve(size);
    AppendNumber(out, quint32(cells.size()));
    for (const QByteArrayView cell : cells) {
        AppendNumber(out, quint32(cell.size()));
        out.append(cell);
    }
    return out;
}

QByteArray EncodeCells(const LeadRow &row) {
    // One buffer, sized for the longest UTF-8 the cells can take, and the cells encoded straight
    // into it: a row costs one allocation, not one per cell.
    qsizetype bound = qsizetype(sizeof(quint32)) * (LeadRow::ColumnCount + 1);
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        bound += row[column].size() * 3;
    }
    QByteArray out(bound, Qt::Uninitialized);
    char *at = out.data();
    const auto put = [](char *to, quint32 number) {
        qToLittleEndian(number, to);
        return to + sizeof number;
    };
    at = put(at, quint32(LeadRow::ColumnCount));
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        char *text = at + sizeof(quint32);
        char *end = utf8.appendToBuffer(text, row[column]);
        put(at, quint32(end - text));
        at = end;
    }
    out.truncate(at - out.data());
    return out;
}

LeadRow DecodeCells(QByteArrayView blob) {
    LeadRow row;
    const std::vector<QByteArrayView> cells = CellSlices(blob);
    const int count = std::min(int(cells.size()), int(LeadRow::ColumnCount));
    for (int column = 0; column < count; ++column) {
        row[column] = QString::fromUtf8(cells[std::size_t(column)]);
    }
    return row;
}

QByteArray MergeCells(QByteArrayView older, QByteArrayView newer) {
    std::vector<QByteArrayView> merged = CellSlices(newer);
    const std::vector<QByteArrayView> kept = CellSlices(older);
    merged.resize(std::max(merged.size(), kept.size()));
    for (std::size_t cell = 0; cell < kept.size(); ++cell) {
        if (merged[cell].isEmpty()) {
            merged[cell] = kept[cell];
        }
    }
    return EncodeSlices(merged);
}
