#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "records/parallel_chunks.h"

TEST(ForEachChunk, CoversEveryPlaceOnceAndThrowsAFailureAfterAllChunksEnd)
{
    struct Row {
        std::size_t count;
        std::size_t smallestChunk;
    };
    for (const Row row : {Row{0, 1}, Row{1, 1}, Row{7, 1}, Row{1000, 1024}, Row{5000, 1000}, Row{99999, 1}}) {
        std::vector<int> visits(row.count, 0);
        std::atomic<std::size_t> chunks = 0;
        forEachChunk(row.count, row.smallestChunk, [&](std::size_t begin, std::size_t end) {
            ++chunks;
            EXPECT_GE(end - begin, std::min(row.count, row.smallestChunk));
            for (std::size_t at = begin; at < end; ++at) ++visits[at];
        });
        EXPECT_EQ(visits, std::vector<int>(row.count, 1)) << row.count;
        EXPECT_GE(chunks.load(), 1u);
    }

    std::atomic<std::size_t> done = 0;
    const auto failLast = [&](std::size_t begin, std::size_t end) {
        if (end == 8400) throw std::runtime_error("last chunk");
        done += end - begin;
    };
    EXPECT_THROW(forEachChunk(8400, 1, failLast), std::runtime_error);
    // Every other chunk ran to its end before the failure came back.
    EXPECT_EQ(done.load(), 8400 - 8400 / chunkThreads(8400, 1));  // 8400 parts evenly among 1 to 8
}
