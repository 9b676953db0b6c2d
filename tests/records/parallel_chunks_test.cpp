#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

#include "records/parallel_chunks.h"

TEST(ForEachChunkInOrder, FirstStepsCoverEveryPlaceOnceAndThenStepsFollowThemInOrder)
{
    struct Row {
        std::size_t count;
        std::size_t chunkSize;
    };
    for (const Row row : {Row{0, 1}, Row{1, 1}, Row{7, 3}, Row{1000, 256}, Row{99999, 7}}) {
        std::vector<int> visits(row.count, 0);
        std::size_t thenFrom = 0;
        forEachChunkInOrder(
            row.count, row.chunkSize,
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t at = begin; at < end; ++at) ++visits[at];
            },
            [&](std::size_t begin, std::size_t end) {
                EXPECT_EQ(begin, thenFrom) << row.count;
                EXPECT_LE(end - begin, row.chunkSize);
                for (std::size_t at = begin; at < end; ++at) EXPECT_EQ(visits[at], 1) << at;
                thenFrom = end;
            });
        EXPECT_EQ(visits, std::vector<int>(row.count, 1)) << row.count;
        EXPECT_EQ(thenFrom, row.count);
    }
}

TEST(ForEachChunkInOrder, AFailureComesBackAfterTheChunksBeforeItAndOnceNoThreadWorks)
{
    struct Row {
        std::size_t failingChunk;
        bool inThenStep;
        bool laterFirstStepsFailToo;
    };
    constexpr std::size_t chunkSize = 100;
    for (const Row row : {Row{0, false, true}, Row{0, true, false}, Row{500, false, false}, Row{500, false, true},
                          Row{500, true, false}, Row{999, false, false}, Row{999, true, false}}) {
        std::atomic<int> working = 0;
        std::atomic<std::size_t> firstSteps = 0;
        std::size_t thenSteps = 0;
        const auto fails = [&](std::size_t chunk) {
            return chunk == row.failingChunk || (row.laterFirstStepsFailToo && chunk > row.failingChunk);
        };
        try {
            forEachChunkInOrder(
                1000 * chunkSize, chunkSize,
                [&](std::size_t begin, std::size_t end) {
                    ++working;
                    ++firstSteps;
                    // Long enough for a thread still at work when the failure came back to show.
                    std::atomic<std::size_t> sum = 0;
                    for (std::size_t at = begin; at < end; ++at) sum += at;
                    // After an early failure, slow enough that a loaded machine does not let
                    // another thread work through every chunk before the failure is taken.
                    if (row.failingChunk == 0 && begin > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    const bool failing = !row.inThenStep && fails(begin / chunkSize);
                    --working;
                    if (failing) throw begin / chunkSize;
                },
                [&](std::size_t begin, std::size_t) {
                    if (row.inThenStep && fails(begin / chunkSize)) throw begin / chunkSize;
                    ++thenSteps;
                });
            ADD_FAILURE() << "no failure came back from chunk " << row.failingChunk;
        } catch (std::size_t chunk) {
            EXPECT_EQ(chunk, row.failingChunk);
        }
        EXPECT_EQ(thenSteps, row.failingChunk);
        EXPECT_EQ(working.load(), 0) << row.failingChunk;
        // The first steps after an early failure are left, not worked through to the end.
        if (row.failingChunk == 0) {
            EXPECT_LT(firstSteps.load(), 1000u) << row.inThenStep;
        }
    }
}
