// Windows commits the pages at once and zeroes each on its first touch.
#include "records/page_memory.h"

#include <windows.h>

void* takeHugePages(std::size_t bytes)
{
    void* start = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (start == nullptr) throw std::bad_alloc();
    return start;
}

void giveHugePagesBack(void* start, std::size_t) noexcept { ::VirtualFree(start, 0, MEM_RELEASE); }
