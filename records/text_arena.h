#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "records/page_memory.h"

// The bytes that towers' texts are views of: whole files read, kept as they are, and texts
// copied in one by one, side by side in large blocks. Nothing is ever moved or given back before
// the arena goes, so every view it gave stays valid as long as the arena.
class TextArena {
public:
    // A view of the bytes, now held.
    std::string_view adopt(PresentBytes bytes)
    {
        files_.push_back(std::move(bytes));
        return {files_.back().data(), files_.back().size()};
    }
    // A view of the text valid as long as the arena: the text itself when it lies in a file held,
    // else a copy.
    std::string_view keep(std::string_view text);

private:
    static constexpr std::size_t firstBlockSize = 4096;
    static constexpr std::size_t blockSize = std::size_t{256} << 10;

    std::vector<PresentBytes> files_;
    std::vector<PresentBytes> blocks_;
    std::size_t usedOfLast_ = 0;  // bytes of the newest block taken
};
