#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <vector>

#include "records/parallel_chunks.h"

TEST(ForEachChunk, CoversEveryPlaceOnceAndThrowsTheFirstFailureAfterAllChunksEnd)
{
    struct Row {
        std::size_t count;
        std::size_t smallestChunk;
    };
    for (const Row row : {Row{0, 1}, Row{1, 1}, Row{7, 1}, Row{1000, 1024}, Row{5000, 1000}, Row{99999, 1}}) {
        std::vector<int> visits(row.count, 0);
        forEachChunk(row.count, row.smallestChunk, [&](std::size_t begin, std::size_t end) {
            EXPECT_GE(end - begin, std::min(row.count, row.smallestChunk));
            for (std::size_t at = begin; at < end; ++at) ++visits[at];
        });
        EXPECT_EQ(visits, std::vector<int>(row.count, 1)) << row.count;
    }

    // Every chunk fails, the later ones only once they have done their work: the first chunk's
    // failure comes back, and only after all the others ended.
    std::atomic<std::size_t> done = 0;
    try {
        forEachChunk(8400, 1, [&](std::size_t begin, std::size_t end) {
            if (begin > 0) done += end - begin;
            throw begin;
        });
        ADD_FAILURE() << "no failure came back";
    } catch (std::size_t begin) {
        EXPECT_EQ(begin, 0u);
    }
    EXPECT_EQ(done.load(), 8400 - 8400 / chunkThreads(8400, 1));  // 8400 parts evenly among 1 to 8
}
