#pragma once

#include "core/model/leadrow.h"
#include "core/util/bulkmemory.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <deque>
#include <string>
#include <vector>

// Rows kept as one block of bytes each, so a long list costs little more than its text: every
// cell is its length and then its text in UTF-8, and a cell is decoded only when asked for.
// A cell that is not valid UTF-16 (a surrogate that is not half of a pair) has no UTF-8 form
// and is kept as its UTF-16 units, so every cell reads back exactly as it was stored.
class PackedRows {
public:
    PackedRows() = default;
    PackedRows(PackedRows &&other) noexcept;
    PackedRows &operator=(PackedRows &&other) noexcept;
    // A copy takes the rows' bytes alone, packed anew.
    PackedRows(const PackedRows &other);
    PackedRows &operator=(const PackedRows &other);
    ~PackedRows() = default;

    qsizetype size() const { return static_cast<qsizetype>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }

    void append(const LeadRow &row);
    // Moves every row of other to the end; other is left empty.
    void append(PackedRows &&other);
    // Puts row in place of the row at index; the other rows keep their places.
    void replace(qsizetype index, const LeadRow &row);
    void erase(qsizetype first, qsizetype count);
    // Removes every row whose flag is set; rows past the end of flags stay.
    void removeFlagged(const std::vector<bool> &flags);
    void clear();

    LeadRow row(qsizetype row) const;
    QString cell(qsizetype row, int column) const;
    // A row's cells as stored, for a writer that wants UTF-8 anyway: no decoding, no copy. The
    // view of a cell kept as UTF-16 units is null; cell() reads it. Valid until the rows change.
    std::array<QByteArrayView, LeadRow::ColumnCount> utf8Cells(qsizetype row) const;

    // Rows share blocks of this size; a longer row has a block of its own.
    static constexpr qsizetype BlockBytes = qsizetype(BulkMemory::BlockBytes);

private:
    // Memory that rows fill front to back; a row never spans two blocks.
    class Block {
    public:
        explicit Block(qsizetype size);
        ~Block();
        Block(const Block &) = delete;
        Block &operator=(const Block &) = delete;
        // Room for bytes more, or null when the block is full.
        char *take(qsizetype bytes);

    private:
        char *m_bytes;
        qsizetype m_size;
        qsizetype m_used = 0;
    };
    struct Span {
        const char *bytes;
        qsizetype size;
    };

    void store(const char *bytes, qsizetype size);
    // Copies bytes into the blocks and says where they went.
    Span place(const char *bytes, qsizetype size);
    // Encodes row into m_scratch; its size.
    qsizetype encode(const LeadRow &row);
    void dropped(qsizetype bytes);
    // Copies the rows into fresh blocks, leaving out what removed rows left behind.
    void compact();

    std::deque<Block> m_blocks;
    std::deque<Span> m_rows;
    qsizetype m_storedBytes = 0; // taken from the blocks, removed rows included
    qsizetype m_liveBytes = 0;
    // Reused for every append, so encoding a row allocates only the row itself.
    std::string m_scratch;
};
