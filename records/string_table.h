#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/draw_index.h"
#include "records/tag_reader.h"
#include "records/tag_writer.h"

// A two-way table of distinct texts (county names, dedications, web addresses) under indexes
// 1 to 32767; index 0 stands for no text and the empty text is never stored. The texts lie side
// by side, and an array by index says where, so finding the text of a tower's index is two reads.
class StringTable {
public:
    // `holds` names the texts ("county") in the message of a full table.
    explicit StringTable(std::string_view holds = {}) : holds_(holds) {}

    // The text's index, drawing a fresh one when the text is new; 0 for the empty text.
    // Throws LimitReached when all 32767 indexes are taken.
    std::int32_t add(std::string_view text, IndexDraw& draw);
    // Empty text for an index without an entry, 0 included.
    const std::string& text(std::int32_t index) const
    {
        if (index < 1 || static_cast<std::size_t>(index) >= placeOfIndex_.size()) return noText;
        const std::int16_t place = placeOfIndex_[index];
        return place < 0 ? noText : texts_[place];
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
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    void store(std::int32_t index, std::string_view text);

    static const std::string noText;
    std::string holds_;
    std::vector<std::string> texts_;          // in the order they came
    std::vector<std::int16_t> placeOfIndex_;  // by index up to the largest: the place in texts_, -1 for none
    std::unordered_map<std::string, std::int32_t, TextHash, std::equal_to<>> byText_;
    // The text added last and its index: neighbouring lines of a source often share a county.
    std::string lastAdded_;
    std::int32_t lastIndex_ = 0;
};
