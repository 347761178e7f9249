#include "core/model/packedrows.h"

#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// A cell's length is a base-128 number, seven bits a byte, lowest first: one byte for a cell of
// up to 63 bytes. Its lowest bit says the cell is kept as UTF-16 units.
constexpr qsizetype MaxLengthBytes = 10;

char *WriteLength(char *out, quint64 value) {
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7f) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

const char *ReadLength(const char *in, quint64 &value) {
    value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*in++);
        value |= quint64(byte & 0x7f) << shift;
        if (byte < 0x80) {
            return in;
        }
    }
}

// Writes cell in UTF-8 at out and returns where it ends; null when it has no UTF-8 form.
char *EncodeUtf8(QStringView cell, char *out) {
    const char16_t *in = cell.utf16();
    qsizetype i = 0;
    for (; i < cell.size() && in[i] < 0x80; ++i) {
        out[i] = static_cast<char>(in[i]);
    }
    if (i == cell.size()) {
        return out + i;
    }
    const QStringView rest = cell.sliced(i);
    if (!rest.isValidUtf16()) {
        return nullptr;
    }
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    return encoder.appendToBuffer(out + i, rest);
}

// Writes the length and the bytes of cell at out and returns where they end.
char *WriteCell(const QString &cell, char *out) {
    if (cell.isEmpty()) {
        *out++ = 0;
        return out;
    }
    // The text goes first where the longest length leaves room, and moves down once its
    // length is known.
    char *const text = out + MaxLengthBytes;
    char *end = EncodeUtf8(cell, text);
    const bool wide = end == nullptr;
    if (wide) {
        end = text + cell.size() * qsizetype(sizeof(char16_t));
        std::memcpy(text, cell.utf16(), static_cast<std::size_t>(end - text));
    }
    const auto bytes = static_cast<quint64>(end - text);
    out = WriteLength(out, bytes << 1 | (wide ? 1 : 0));
    std::memmove(out, text, bytes);
    return out + bytes;
}

// Reads the cell at in, and moves in past it.
QString ReadCell(const char *&in) {
    quint64 length = 0;
    in = ReadLength(in, length);
    const auto bytes = static_cast<qsizetype>(length >> 1);
    const char *text = in;
    in += bytes;
    if (bytes == 0) {
        return {};
    }
    if ((length & 1) == 0) {
        return QString::fromUtf8(text, bytes);
    }
    QString cell(bytes / qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    std::memcpy(cell.data(), text, static_cast<std::size_t>(bytes));
    return cell;
}

const char *SkipCell(const char *in) {
    quint64 length = 0;
    in = ReadLength(in, length);
    return in + (length >> 1);
}

} // namespace

PackedRows::Block::Block(qsizetype size)
    : m_bytes(static_cast<char *>(BulkMemory::instance().allocate(static_cast<std::size_t>(size)))), m_size(size) {}

PackedRows::Block::~Block() {
    BulkMemory::instance().deallocate(m_bytes, static_cast<std::size_t>(m_size));
}

char *PackedRows::Block::take(qsizetype bytes) {
    if (m_size - m_used < bytes) {
        return nullptr;
    }
    char *const taken = m_bytes + m_used;
    m_used += bytes;
    return taken;
}

PackedRows::PackedRows(PackedRows &&other) noexcept
    : m_blocks(std::move(other.m_blocks)), m_rows(std::move(other.m_rows)), m_storedBytes(other.m_storedBytes),
      m_liveBytes(other.m_liveBytes) {
    other.clear();
}

PackedRows &PackedRows::operator=(PackedRows &&other) noexcept {
    if (this != &other) {
        m_rows = std::move(other.m_rows);
        m_blocks = std::move(other.m_blocks);
        m_storedBytes = other.m_storedBytes;
        m_liveBytes = other.m_liveBytes;
        other.clear();
    }
    return *this;
}

PackedRows::PackedRows(const PackedRows &other) {
    for (const Span &row : other.m_rows) {
        store(row.bytes, row.size);
    }
}

PackedRows &PackedRows::operator=(const PackedRows &other) {
    if (this != &other) {
        *this = PackedRows(other);
    }
    return *this;
}

void PackedRows::append(const LeadRow &row) {
    const qsizetype size = encode(row);
    store(m_scratch.data(), size);
}

void PackedRows::replace(qsizetype index, const LeadRow &row) {
    const qsizetype size = encode(row);
    Span &slot = m_rows[static_cast<std::size_t>(index)];
    const qsizetype oldSize = slot.size;
    slot = place(m_scratch.data(), size);
    m_liveBytes += size;
    // The old bytes stay in their block until a compaction drops them.
    dropped(oldSize);
}

qsizetype PackedRows::encode(const LeadRow &row) {
    qsizetype most = 0;
    for (const QString &cell : row.cells) {
        most += MaxLengthBytes + 3 * cell.size();
    }
    if (static_cast<qsizetype>(m_scratch.size()) < most) {
        m_scratch.resize(static_cast<std::size_t>(most));
    }
    char *end = m_scratch.data();
    for (const QString &cell : row.cells) {
        end = WriteCell(cell, end);
    }
    return end - m_scratch.data();
}

void PackedRows::append(PackedRows &&other) {
    if (empty()) {
        *this = std::move(other);
        return;
    }
    for (const Span &row : other.m_rows) {
        store(row.bytes, row.size);
    }
    other.clear();
}

void PackedRows::store(const char *bytes, qsizetype size) {
    m_rows.push_back(place(bytes, size));
    m_liveBytes += size;
}

PackedRows::Span PackedRows::place(const char *bytes, qsizetype size) {
    char *to = m_blocks.empty() ? nullptr : m_blocks.back().take(size);
    if (to == nullptr) {
        to = m_blocks.emplace_back(std::max(size, BlockBytes)).take(size);
    }
    std::memcpy(to, bytes, static_cast<std::size_t>(size));
    m_storedBytes += size;
    return {to, size};
}

void PackedRows::erase(qsizetype first, qsizetype count) {
    const auto begin = m_rows.begin() + first;
    const auto end = begin + count;
    qsizetype bytes = 0;
    for (auto row = begin; row != end; ++row) {
        bytes += row->size;
    }
    m_rows.erase(begin, end);
    dropped(bytes);
}

void PackedRows::removeFlagged(const std::vector<bool> &flags) {
    std::size_t kept = 0;
    qsizetype bytes = 0;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (row < flags.size() && flags[row]) {
            bytes += m_rows[row].size;
            continue;
        }
        m_rows[kept++] = m_rows[row];
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(kept), m_rows.end());
    dropped(bytes);
}

// Removed rows may hold at most as many bytes as the rows still listed (and a block more), so
// the list never takes more than about twice its text; each copy is paid for by the removals
// before it.
void PackedRows::dropped(qsizetype bytes) {
    m_liveBytes -= bytes;
    if (m_rows.empty()) {
        clear();
    } else if (m_storedBytes - m_liveBytes > m_liveBytes + BlockBytes) {
        compact();
    }
}

void PackedRows::compact() {
    std::deque<Block> old;
    old.swap(m_blocks);
    std::deque<Span> rows;
    rows.swap(m_rows);
    m_storedBytes = m_liveBytes = 0;
    for (const Span &row : rows) {
        store(row.bytes, row.size);
    }
}

void PackedRows::clear() {
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_blocks.clear();
    m_storedBytes = m_liveBytes = 0;
}

LeadRow PackedRows::row(qsizetype row) const {
    const char *in = m_rows[static_cast<std::size_t>(row)].bytes;
    LeadRow lead;
    for (QString &cell : lead.cells) {
        cell = ReadCell(in);
    }
    return lead;
}

std::array<QByteArrayView, LeadRow::ColumnCount> PackedRows::utf8Cells(qsizetype row) const {
    const char *in = m_rows[static_cast<std::size_t>(row)].bytes;
    std::array<QByteArrayView, LeadRow::ColumnCount> cells;
    for (QByteArrayView &cell : cells) {
        quint64 length = 0;
        in = ReadLength(in, length);
        const auto bytes = static_cast<qsizetype>(length >> 1);
        if ((length & 1) == 0) {
            cell = QByteArrayView(in, bytes);
        }
        in += bytes;
    }
    return cells;
}

QString PackedRows::cell(qsizetype row, int column) const {
    const char *in = m_rows[static_cast<std::size_t>(row)].bytes;
    for (int skipped = 0; skipped < column; ++skipped) {
        in = SkipCell(in);
    }
    return ReadCell(in);
}
