#include "core/util/bulkmemory.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {

std::size_t WholeBlocks(std::size_t bytes) {
    return (bytes + BulkMemory::BlockBytes - 1) / BulkMemory::BlockBytes * BulkMemory::BlockBytes;
}

std::pmr::pool_options BulkPoolOptions() {
    std::pmr::pool_options options;
    // A chunk of 65,536 pieces of 32 bytes or more fills whole blocks.
    options.max_blocks_per_chunk = std::size_t(1) << 16;
    options.largest_required_pool_block = 1024;
    return options;
}

} // namespace

BulkMemory &BulkMemory::instance() {
    static BulkMemory memory;
    return memory;
}

void *BulkMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
    if (bytes < SmallRequestBytes) {
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    }
    const std::size_t size = WholeBlocks(bytes);
    void *block = std::aligned_alloc(BlockBytes, size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    // Only advice: where the system declines, the block is mapped in ordinary pages.
    ::madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void BulkMemory::do_deallocate(void *pointer, std::size_t bytes, std::size_t alignment) {
    if (bytes < SmallRequestBytes) {
        std::pmr::new_delete_resource()->deallocate(pointer, bytes, alignment);
        return;
    }
    std::free(pointer);
}

BulkPool::BulkPool() : std::pmr::unsynchronized_pool_resource(BulkPoolOptions(), &BulkMemory::instance()) {}
