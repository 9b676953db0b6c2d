#include "records/page_memory.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// Memory is handed out from chunks of whole huge pages, each array in the first gap of a chunk
// that holds it, so that the room an array gives back serves the next ones even while arrays
// beside it live on. Empty chunks are kept for the next arrays, up to a limit, so a run that sorts
// or reads again and again takes its pages from the system once.
class PagePool {
public:
    void* allocate(std::size_t bytes)
    {
        const std::size_t size = roundedUp(bytes, alignment);
        const std::lock_guard lock(mutex_);
        for (Chunk& chunk : chunks_)
            if (void* start = chunk.take(size)) return start;
        const std::size_t chunkSize = std::max(roundedUp(size, hugePageSize), smallestChunk);
        Chunk& chunk = chunks_.emplace_back(Chunk{static_cast<char*>(takeHugePages(chunkSize)), chunkSize, {}});
        return chunk.take(size);
    }

    void free(void* start) noexcept
    {
        const std::lock_guard lock(mutex_);
        const auto holder = std::find_if(chunks_.begin(), chunks_.end(), [start](const Chunk& chunk) {
            return chunk.start <= start && start < chunk.start + chunk.size;
        });
        if (holder == chunks_.end()) return;
        holder->giveBack(static_cast<char*>(start));
        if (!holder->live.empty()) return;
        std::size_t emptyBytes = 0;
        for (const Chunk& chunk : chunks_)
            if (chunk.live.empty()) emptyBytes += chunk.size;
        if (emptyBytes > mostKeptEmpty) {
            giveHugePagesBack(holder->start, holder->size);
            chunks_.erase(holder);
        }
    }

private:
    // Where an array handed out lies in its chunk, from its start.
    struct Span {
        std::size_t offset;
        std::size_t size;
    };

    struct Chunk {
        char* start;
        std::size_t size;
        std::vector<Span> live;  // in the order they lie

        // The first gap of `bytes` or more, taken; none when there is no such gap.
        void* take(std::size_t bytes)
        {
            std::size_t gapStart = 0;
            auto next = live.begin();
            for (;; ++next) {
                const std::size_t gapEnd = next == live.end() ? size : next->offset;
                if (gapEnd - gapStart >= bytes) break;
                if (next == live.end()) return nullptr;
                gapStart = next->offset + next->size;
            }
            live.insert(next, Span{gapStart, bytes});
            return start + gapStart;
        }

        void giveBack(char* at)
        {
            const auto span = std::find_if(live.begin(), live.end(),
                                           [&](const Span& held) { return start + held.offset == at; });
            if (span != live.end()) live.erase(span);
        }
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
