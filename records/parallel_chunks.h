#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

// How many threads, the caller's among them, share `chunks` chunks of work: one per processor,
// at most eight, and one for every four chunks, so that a small array is done by the caller
// alone. Beyond eight threads the arrays here are done sooner than the threads are started.
inline std::size_t chunkThreads(std::size_t chunks)
{
    constexpr std::size_t mostThreads = 8;
    constexpr std::size_t chunksWorthAThread = 4;
    const std::size_t processors = std::max<std::size_t>(1, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(chunks / chunksWorthAThread, 1, std::min(processors, mostThreads));
}

// Work on a large array in two steps, chunk by chunk: first(begin, end) for the chunks of
// `chunkSize` places that together cover [0, count), on the machine's processors in any order;
// then then(begin, end) for each chunk on the caller's thread, in order, as soon as its first
// step is done. While the chunk next in order is still being worked on elsewhere, the caller
// takes the first step of a later one. The first steps must write to places of their own.
// A failure in either step ends the work: the first steps not yet begun are left, and the
// failure is thrown again once no other thread works on the array. Both steps of every chunk
// before the failing one are done, and no then step after it; when several chunks fail, the
// first of them in order is the one thrown.
template <class First, class Then>
void forEachChunkInOrder(std::size_t count, std::size_t chunkSize, First first, Then then)
{
    chunkSize = std::max<std::size_t>(1, chunkSize);
    const std::size_t chunks = (count + chunkSize - 1) / chunkSize;
    const auto endOf = [&](std::size_t number) { return std::min(count, (number + 1) * chunkSize); };
    enum : unsigned char { pending, firstDone };
    std::vector<std::atomic<unsigned char>> states(chunks);
    std::vector<std::exception_ptr> failures(chunks);
    std::atomic<std::size_t> nextUnbegun = 0;
    std::atomic<bool> stopped = false;
    // The first step of the next chunk not yet begun; false when there is none to take.
    const auto takeChunk = [&] {
        if (stopped.load(std::memory_order_relaxed)) return false;
        const std::size_t number = nextUnbegun.fetch_add(1, std::memory_order_relaxed);
        if (number >= chunks) return false;
        try {
            first(number * chunkSize, endOf(number));
        } catch (...) {
            failures[number] = std::current_exception();
            stopped = true;  // every chunk before this one is taken already
        }
        states[number].store(firstDone, std::memory_order_release);
        states[number].notify_one();
        return true;
    };
    // Declared after what they share, so that they are joined before it goes.
    std::vector<std::jthread> helpers;
    try {
        const std::size_t helperCount = chunkThreads(chunks) - 1;
        helpers.reserve(helperCount);
        for (std::size_t helper = 0; helper < helperCount; ++helper) {
            try {
                helpers.emplace_back([&] {
                    while (takeChunk()) {
                    }
                });
            } catch (...) {
                break;  // no further thread to be had: those there are do the work
            }
        }
        for (std::size_t number = 0; number < chunks; ++number) {
            while (states[number].load(std::memory_order_acquire) == pending)
                if (!takeChunk()) states[number].wait(pending, std::memory_order_acquire);
            if (failures[number]) std::rethrow_exception(failures[number]);
            then(number * chunkSize, endOf(number));
        }
    } catch (...) {
        stopped = true;  // the helpers end the chunks they hold and are joined as the vector goes
        throw;
    }
}
