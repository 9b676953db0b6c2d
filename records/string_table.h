#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/draw_index.h"
#include "records/page_memory.h"
#include "records/tag_reader.h"
#include "records/tag_writer.h"
#include "records/text_arena.h"
#include "records/text_index.h"

// A two-way table of distinct texts (county names, dedications, web addresses) under indexes
// 1 to 32767; index 0 stands for no text and the empty text is never stored. The texts lie side
// by side in an arena the table's copies share, and an array by index says where, so finding the
// text of a tower's index is two reads.
class StringTable {
public:
    // `holds` names the texts ("county") in the message of a full table. The texts are kept in
    // `arena`, which a directory shares with its tables so that texts of a source it holds are
    // not copied.
    explicit StringTable(std::string_view holds = {}, std::shared_ptr<TextArena> arena = std::make_shared<TextArena>())
        : holds_(holds), arena_(std::move(arena))
    {
    }

    // The text's index, drawing a fresh one when the text is new; 0 for the empty text.
    // Throws LimitReached when all 32767 indexes are taken.
    std::int32_t add(std::string_view text, IndexDraw& draw);
    // Empty text for an index without an entry, 0 included; valid as long as the table or a copy.
    std::string_view text(std::int32_t index) const
    {
        if (index < 1 || static_cast<std::size_t>(index) >= placeOfIndex_.size()) return {};
        const std::int16_t place = placeOfIndex_[index];
        return place < 0 ? std::string_view() : texts_[place];
    }
    std::int32_t size() const { return static_cast<std::int32_t>(texts_.size()); }

    // Calls visit(index, text) for every entry, in ascending index.
    template <typename Visit>
    void forEachEntry(Visit visit) const
    {
        for (std::size_t index = 1; index < placeOfIndex_.size(); ++index)
            if (placeOfIndex_[index] >= 0) visit(static_cast<std::int32_t>(index), texts_[placeOfIndex_[index]]);
    }

    // A k item with the index and an s item with the text per entry, then the end marker.
    void write(TagWriter& writer) const;
    // Reads up to and including the end marker.
    void read(TagReader& reader);

    // The same texts under the same indexes.
    friend bool operator==(const StringTable& a, const StringTable& b);

private:
    void store(std::int32_t index, std::string_view text);

    std::string holds_;
    std::shared_ptr<TextArena> arena_;
    std::vector<std::string_view> texts_;     // in the order they came, views of the arena
    // By index, for every index once a text is stored: the place in texts_, -1 for none.
    std::vector<std::int16_t, PresentAllocator<std::int16_t>> placeOfIndex_;
    TextIndex byText_;  // its texts view the arena
    // The text added last and its index: neighbouring lines of a source often share a county.
    std::string_view lastAdded_;
    std::int32_t lastIndex_ = 0;
};
