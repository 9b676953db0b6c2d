#include "records/text_arena.h"

#include <algorithm>
#include <functional>

std::string_view TextArena::keep(std::string_view text)
{
    if (text.empty()) return {};
    const std::less_equal<const char*> notAfter;
    for (const PresentBytes& file : files_)
        if (notAfter(file.data(), text.data()) && notAfter(text.data() + text.size(), file.data() + file.size()))
            return text;
    if (blocks_.empty() || blocks_.back().size() - usedOfLast_ < text.size()) {
        // Small at first, as most tables hold few texts; twice as large with each block after.
        const std::size_t size = std::min(blockSize, firstBlockSize << std::min<std::size_t>(blocks_.size(), 16));
        blocks_.emplace_back(std::max(size, text.size()));
        usedOfLast_ = 0;
    }
    char* const start = blocks_.back().data() + usedOfLast_;
    std::copy(text.begin(), text.end(), start);
    usedOfLast_ += text.size();
    return {start, text.size()};
}
