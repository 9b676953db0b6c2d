#include <gtest/gtest.h>

#include "records/page_memory.h"

namespace {

// Room given back beside an array that lives on serves the next arrays, however long that one
// lives: a run that sorts again and again with its directory loaded does not grow.
TEST(PresentMemory, RoomGivenBackBesideALongLivedArrayIsUsedAgain)
{
    constexpr std::size_t megabyte = std::size_t{1} << 20;
    void* directory = allocatePresent(megabyte);
    void* firstSort = allocatePresent(megabyte);
    freePresent(firstSort, megabyte);
    for (int sort = 0; sort < 20; ++sort) {
        void* again = allocatePresent(megabyte);
        EXPECT_EQ(again, firstSort) << "sort " << sort;
        freePresent(again, megabyte);
    }
    freePresent(directory, megabyte);
}

}  // namespace
