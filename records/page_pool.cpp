#include "records/page_memory.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Memory is handed out from chunks of whole huge pages, one after the other; a chunk is used
// again from its start once everything handed out of it has come back. Empty chunks are kept for
// the next arrays, up to a limit, so a run that sorts or reads again and again takes its pages
// from the system once.
class PagePool {
public:
    void* allocate(std::size_t bytes)
    {
        const std::size_t size = roundedUp(bytes, alignment);
        const std::lock_guard lock(mutex_);
        for (Chunk& chunk : chunks_) {
            if (chunk.size - chunk.used < size) continue;
            void* start = chunk.start + chunk.used;
            chunk.used += size;
            ++chunk.live;
            return start;
        }
        const std::size_t chunkSize = std::max(roundedUp(size, hugePageSize), smallestChunk);
        Chunk& chunk = chunks_.emplace_back(Chunk{static_cast<char*>(takeHugePages(chunkSize)), chunkSize});
        chunk.used = size;
        chunk.live = 1;
        return chunk.start;
    }

    void free(void* start) noexcept
    {
        const std::lock_guard lock(mutex_);
        const auto holder = std::find_if(chunks_.begin(), chunks_.end(), [start](const Chunk& chunk) {
            return chunk.start <= start && start < chunk.start + chunk.size;
        });
        if (holder == chunks_.end() || --holder->live > 0) return;
        holder->used = 0;
        std::size_t emptyBytes = 0;
        for (const Chunk& chunk : chunks_)
            if (chunk.live == 0) emptyBytes += chunk.size;
        if (emptyBytes > mostKeptEmpty) {
            giveHugePagesBack(holder->start, holder->size);
            chunks_.erase(holder);
        }
    }

private:
    struct Chunk {
        char* start;
        std::size_t size;
        std::size_t used = 0;
        std::size_t live = 0;  // allocations not yet given back
    };

    static constexpr std::size_t alignment = 64;
    static constexpr std::size_t smallestChunk = 2 * hugePageSize;
    static constexpr std::size_t mostKeptEmpty = 8 * hugePageSize;

    static std::size_t roundedUp(std::size_t bytes, std::size_t unit) { return (bytes + unit - 1) / unit * unit; }

    std::mutex mutex_;
    std::vector<Chunk> chunks_;
};

PagePool& pool()
{
    static PagePool made;
    return made;
}

}  // namespace

void* allocatePresent(std::size_t bytes)
{
    return bytes < smallestPageRun ? ::operator new(bytes) : pool().allocate(bytes);
}

void freePresent(void* start, std::size_t bytes) noexcept
{
    if (bytes < smallestPageRun)
        ::operator delete(start);
    else
        pool().free(start);
}
