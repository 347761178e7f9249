#include "core/journal/recordbuffer.h"

#include "core/util/bulkmemory.h"

#include <algorithm>
#include <cstring>

RecordBuffer::~RecordBuffer() {
    for (const Block &block : m_blocks) {
        Free(block);
    }
}

void RecordBuffer::Free(const Block &block) {
    BulkMemory::instance().deallocate(block.data, static_cast<std::size_t>(block.capacity));
}

char *RecordBuffer::reserve(qsizetype bytes) {
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < bytes) {
        // Only a buffer that has grown beyond its first block takes whole blocks.
        const qsizetype size =
            std::max(bytes, m_blocks.empty() ? FirstBlockBytes : static_cast<qsizetype>(BulkMemory::BlockBytes));
        m_blocks.push_back(
            {static_cast<char *>(BulkMemory::instance().allocate(static_cast<std::size_t>(size))), 0, size});
    }
    return m_blocks.back().data + m_blocks.back().used;
}

void RecordBuffer::append(QByteArrayView bytes) {
    char *out = reserve(bytes.size());
    std::memcpy(out, bytes.data(), static_cast<std::size_t>(bytes.size()));
    commit(out + bytes.size());
}

std::vector<QByteArrayView> RecordBuffer::parts() const {
    std::vector<QByteArrayView> parts;
    for (const Block &block : m_blocks) {
        if (block.used > 0) {
            parts.emplace_back(block.data, block.used);
        }
    }
    return parts;
}

void RecordBuffer::clear() {
    for (std::size_t i = 1; i < m_blocks.size(); ++i) {
        Free(m_blocks[i]);
    }
    m_blocks.resize(std::min<std::size_t>(m_blocks.size(), 1));
    if (!m_blocks.empty()) {
        m_blocks.front().used = 0;
    }
}
