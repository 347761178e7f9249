#pragma once

#include <QByteArrayView>

#include <vector>

// Records waiting to be written, appended in place in blocks of BulkMemory: collecting
// megabytes of them copies nothing already there and maps fresh memory 2 MiB at a time.
// A record never spans two blocks.
class RecordBuffer {
public:
    RecordBuffer() = default;
    ~RecordBuffer();
    RecordBuffer(const RecordBuffer &) = delete;
    RecordBuffer &operator=(const RecordBuffer &) = delete;

    // Room for up to bytes at the end, in one piece; commit() marks where the record written
    // there ends.
    char *reserve(qsizetype bytes);
    void commit(const char *end) { m_blocks.back().used = end - m_blocks.back().data; }
    void append(QByteArrayView bytes);

    // Every block after the first holds a record.
    bool isEmpty() const { return m_blocks.empty() || (m_blocks.size() == 1 && m_blocks.front().used == 0); }
    // The bytes in order, a view per block.
    std::vector<QByteArrayView> parts() const;
    // Empties the buffer, keeping its first block for the records to come.
    void clear();

    static constexpr qsizetype FirstBlockBytes = 64 * 1024;

private:
    struct Block {
        char *data;
        qsizetype used;
        qsizetype capacity;
    };
    static void Free(const Block &block);

    std::vector<Block> m_blocks;
};
