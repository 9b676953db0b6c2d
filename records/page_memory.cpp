#include "records/page_memory.h"

#include <sys/mman.h>

#include <cstdint>

void* takeHugePages(std::size_t bytes)
{
    // A huge page must start on a huge page's boundary: map one more and trim the ends.
    const std::size_t mapped = bytes + hugePageSize;
    void* start = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) throw std::bad_alloc();
    char* block = static_cast<char*>(start);
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    const std::size_t lead = (hugePageSize - address % hugePageSize) % hugePageSize;
    if (lead > 0) ::munmap(block, lead);
    if (hugePageSize - lead > 0) ::munmap(block + lead + bytes, hugePageSize - lead);
    block += lead;
    // Where the system has no huge pages, or cannot populate (before Linux 5.14, or headers older than that), the pages come
    // one fault at a time as usual.
#ifdef MADV_HUGEPAGE
    ::madvise(block, bytes, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
    ::madvise(block, bytes, MADV_POPULATE_WRITE);
#endif
    return block;
}

void giveHugePagesBack(void* start, std::size_t bytes) noexcept { ::munmap(start, bytes); }
