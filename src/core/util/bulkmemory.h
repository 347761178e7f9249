#pragma once

#include <cstddef>
#include <memory_resource>

// Memory for containers that grow to tens of megabytes one small piece at a time (the rows of
// the results list, the index of their links). Large requests are served in whole 2 MiB blocks
// that the kernel may back with huge pages: on a virtual machine a first touch of a 4 KiB page
// costs microseconds, and touching fresh pages was most of what appending rows cost. Small
// requests go to the ordinary heap. Stateless, so one instance serves everyone.
class BulkMemory : public std::pmr::memory_resource {
public:
    static BulkMemory &instance();

    static constexpr std::size_t BlockBytes = std::size_t(2) << 20;
    // Requests below this size are not worth a block of their own.
    static constexpr std::size_t SmallRequestBytes = BlockBytes / 2;

private:
    void *do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void *pointer, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource &other) const noexcept override { return this == &other; }
};

// A pool of small blocks over BulkMemory for one container owner, used on one thread only. Its
// chunks grow until they fill whole blocks; freed pieces are reused, and everything goes back
// when the pool does.
class BulkPool : public std::pmr::unsynchronized_pool_resource {
public:
    BulkPool();
};
