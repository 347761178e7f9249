#include "core/journal/journalrecords.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr char Listed = '+';
constexpr char Removed = '-';

bool MustEscape(char16_t c) {
    return c == u'\\' || c == u'\t' || c == u'\n' || c == u'\r' || QChar::isSurrogate(c);
}

// A surrogate that is not half of a pair has no UTF-8 form: it is written as \uXXXX.
bool LoneSurrogate(QStringView cell, qsizetype i) {
    const char16_t c = cell[i].unicode();
    if (QChar::isHighSurrogate(c)) {
        return i + 1 == cell.size() || !QChar::isLowSurrogate(cell[i + 1].unicode());
    }
    return QChar::isLowSurrogate(c) && (i == 0 || !QChar::isHighSurrogate(cell[i - 1].unicode()));
}

bool Printable(char16_t c) {
    return char16_t(c - 0x20) < 0x60 && c != u'\\';
}

// Copies Chunk units narrowed to bytes; true when all of them are printable ASCII other than
// the backslash. Written so that the compiler turns the loop into vector instructions.
constexpr qsizetype Chunk = 16;
bool CopyPrintableChunk(const char16_t *in, char *out) {
    char narrowed[Chunk];
    char16_t outside = 0;
    for (qsizetype k = 0; k < Chunk; ++k) {
        narrowed[k] = char(in[k]);
        outside |= char16_t(char16_t(in[k] - 0x20) >= 0x60) | char16_t(in[k] == u'\\');
    }
    std::memcpy(out, narrowed, Chunk);
    return outside == 0;
}

// Writes cell in UTF-8 at out and returns where it ends; null when the cell needs an escape.
// Cells are printable ASCII as a rule, and then copied without a converter.
char *EncodeCell(QStringView cell, char *out) {
    const char16_t *in = cell.utf16();
    const qsizetype size = cell.size();
    qsizetype i = 0;
    while (i + Chunk <= size && CopyPrintableChunk(in + i, out + i)) {
        i += Chunk;
    }
    // When only a part of a chunk is left, the last chunk may overlap the one before: its units
    // are simply copied again. Not after a chunk that failed: the units before the last chunk
    // would then be left unwritten.
    if (i > 0 && i < size && i + Chunk > size && CopyPrintableChunk(in + size - Chunk, out + size - Chunk)) {
        i = size;
    }
    for (; i < size && Printable(in[i]); ++i) {
        out[i] = char(in[i]);
    }
    if (i == size) {
        return out + size;
    }
    if (std::any_of(in, in + size, MustEscape)) {
        return nullptr;
    }
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    return encoder.appendToBuffer(out, cell);
}

QString Escaped(const QString &cell) {
    QString escaped;
    escaped.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell[i];
        if (LoneSurrogate(cell, i)) {
            escaped += u"\\u"_s + QString::number(c.unicode(), 16).toUpper();
            continue;
        }
        switch (c.unicode()) {
        case u'\\':
            escaped += "\\\\"_L1;
            break;
        case u'\t':
            escaped += "\\t"_L1;
            break;
        case u'\n':
            escaped += "\\n"_L1;
            break;
        case u'\r':
            escaped += "\\r"_L1;
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// One cell with its escapes undone; false on a backslash that starts no escape, or on bytes that
// are not UTF-8.
bool Unescape(QByteArrayView cell, QString &out) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QByteArray run;
    out.clear();
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] != '\\') {
            run += cell[i];
            continue;
        }
        if (++i == cell.size()) {
            return false;
        }
        switch (cell[i]) {
        case '\\':
            run += '\\';
            break;
        case 't':
            run += '\t';
            break;
        case 'n':
            run += '\n';
            break;
        case 'r':
            run += '\r';
            break;
        case 'u': {
            if (i + 4 >= cell.size()) {
                return false;
            }
            bool ok = false;
            const ushort unit = cell.sliced(i + 1, 4).toUShort(&ok, 16);
            if (!ok || !QChar::isSurrogate(unit)) {
                return false;
            }
            out += decoder(run);
            out += QChar(unit);
            run.clear();
            i += 4;
            break;
        }
        default:
            return false;
        }
    }
    out += decoder(run);
    return !decoder.hasError();
}

bool IsAscii(QByteArrayView bytes) {
    unsigned char high = 0;
    for (const char c : bytes) {
        high |= static_cast<unsigned char>(c);
    }
    return high < 0x80;
}

bool ReadListed(QByteArrayView fields, LeadRow &row) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    int column = 0;
    for (qsizetype start = 0; start <= fields.size(); ++column) {
        qsizetype end = fields.indexOf('\t', start);
        if (end < 0) {
            end = fields.size();
        }
        if (column == LeadRow::ColumnCount) {
            return false;
        }
        const QByteArrayView cell = fields.sliced(start, end - start);
        if (cell.contains('\\')) {
            if (!Unescape(cell, row[column])) {
                return false;
            }
        } else if (IsAscii(cell)) {
            // Most cells: Latin-1 is ASCII's superset, and converts without a decoder's state.
            row[column] = QString::fromLatin1(cell);
        } else {
            row[column] = decoder(cell);
        }
        start = end + 1;
    }
    // Journals written before the contact columns hold rows of the first twenty cells.
    return (column == LeadRow::ColumnCount || column == LeadRow::LegacyColumnCount) && !decoder.hasError();
}

bool ReadNumber(QByteArrayView text, int &number) {
    bool ok = false;
    number = text.toInt(&ok);
    return ok && number >= 0 && text == QByteArray::number(number);
}

bool ReplayRemoved(QByteArrayView fields, PackedRows &rows) {
    const qsizetype tab = fields.indexOf('\t');
    int first = 0;
    int count = 0;
    if (tab < 0 || !ReadNumber(fields.first(tab), first) || !ReadNumber(fields.sliced(tab + 1), count) || count < 1 ||
        qsizetype(first) + count > rows.size()) {
        return false;
    }
    rows.erase(first, count);
    return true;
}

bool Replay(QByteArrayView line, PackedRows &rows) {
    if (line.size() < 2 || line[1] != '\t') {
        return false;
    }
    const QByteArrayView fields = line.sliced(2);
    if (line[0] == Listed) {
        LeadRow row;
        if (!ReadListed(fields, row)) {
            return false;
        }
        rows.append(row);
        return true;
    }
    return line[0] == Removed && ReplayRemoved(fields, rows);
}

} // namespace

const QByteArray &JournalHeader() {
    static const QByteArray header = QByteArrayLiteral("Tarnwick results journal 1\n");
    return header;
}

qsizetype MaxListedRecordSize(const LeadRow &row) {
    qsizetype units = 0;
    for (const QString &cell : row.cells) {
        units += cell.size();
    }
    // Six bytes per UTF-16 unit at most (a lone surrogate's escape); "+", the tabs and "\n".
    return 6 * units + LeadRow::ColumnCount + 2;
}

char *WriteListedRecord(const LeadRow &row, char *const out) {
    char *p = out;
    *p++ = Listed;
    for (const QString &cell : row.cells) {
        *p++ = '\t';
        if (!cell.isEmpty() && (p = EncodeCell(cell, p)) == nullptr) {
            break;
        }
    }
    if (p != nullptr) {
        *p++ = '\n';
        return p;
    }
    QString line(QChar::fromLatin1(Listed));
    for (const QString &cell : row.cells) {
        line += u'\t' + Escaped(cell);
    }
    const QByteArray bytes = line.toUtf8() + '\n';
    std::memcpy(out, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return out + bytes.size();
}

QByteArray RemovedRecord(int first, int count) {
    return QByteArray(1, Removed) + '\t' + QByteArray::number(first) + '\t' + QByteArray::number(count) + '\n';
}

JournalContent ReadJournal(QByteArrayView bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    return ReadJournal(device);
}

JournalContent ReadJournal(QIODevice &device) {
    constexpr qint64 PieceBytes = qint64(1) << 20;
    JournalContent content;
    const QByteArray &header = JournalHeader();
    // The bytes read and not yet replayed: the header, then the start of a record.
    QByteArray unread;
    bool atEnd = false;
    const auto readPiece = [&] {
        const qsizetype kept = unread.size();
        unread.resize(kept + PieceBytes);
        const qint64 read = device.read(unread.data() + kept, PieceBytes);
        unread.resize(kept + std::max<qint64>(read, 0));
        atEnd = read <= 0;
        if (read < 0) {
            content.readable = false;
            content.errorString = device.errorString();
        }
    };
    while (!atEnd && unread.size() < header.size()) {
        readPiece();
    }
    if (!unread.startsWith(header)) {
        // An empty file, or one whose header was cut short, holds nothing yet.
        content.readable = content.readable && QByteArrayView(header).startsWith(unread);
        content.cutShort = !unread.isEmpty();
        if (content.errorString.isEmpty() && !content.readable) {
            content.errorString = u"not a journal of the results list"_s;
        }
        return content;
    }
    qsizetype start = header.size();
    while (content.readable) {
        const qsizetype end = unread.indexOf('\n', start);
        if (end >= 0) {
            if (!Replay(QByteArrayView(unread).sliced(start, end - start), content.rows)) {
                content.readable = false;
                content.errorString = u"record %1 cannot be read"_s.arg(content.records + 1);
                break;
            }
            ++content.records;
            start = end + 1;
            continue;
        }
        if (atEnd) {
            content.cutShort = start < unread.size();
            break;
        }
        // Only the start of one record is carried over to the next piece.
        unread = unread.sliced(start);
        start = 0;
        readPiece();
    }
    return content;
}
