#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

// How many chunks forEachChunk cuts `count` places into: one per processor, at most eight, and
// none smaller than `smallestChunk`. Beyond eight threads the arrays here are done sooner than
// the threads are started.
inline std::size_t chunkThreads(std::size_t count, std::size_t smallestChunk)
{
    constexpr std::size_t mostThreads = 8;
    const std::size_t processors = std::max<std::size_t>(1, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(count / std::max<std::size_t>(1, smallestChunk), 1,
                                   std::min(processors, mostThreads));
}

// Work on a large array shared among the machine's processors: work(begin, end) is called for
// contiguous chunks that together cover [0, count), each chunk on a thread of its own and the
// first on the caller's, so a small array is done by the caller alone. The chunks must write to
// places of their own. After every chunk has ended, the first failure, by chunk order, is thrown
// again.
template <class Work>
void forEachChunk(std::size_t count, std::size_t smallestChunk, Work work)
{
    const std::size_t chunks = chunkThreads(count, smallestChunk);
    if (chunks == 1) {
        work(std::size_t{0}, count);
        return;
    }
    std::vector<std::exception_ptr> failures(chunks);
    const auto chunk = [&](std::size_t number) {
        try {
            work(count * number / chunks, count * (number + 1) / chunks);
        } catch (...) {
            failures[number] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(chunks - 1);
    for (std::size_t number = 1; number < chunks; ++number) {
        try {
            threads.emplace_back(chunk, number);
        } catch (...) {
            chunk(number);  // no thread to be had: done here instead
        }
    }
    chunk(0);
    for (std::thread& thread : threads) thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}
