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
// 1 to 32767; index 0 stands for no text and the empty text is never stored. The texts are kept
// in an array by index, so finding the text of a tower's index is one read.
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
        return index > 0 && static_cast<std::size_t>(index) < byIndex_.size() ? byIndex_[index]
                                                                               : noText;
    }
    std::int32_t size() const { return size_; }

    // Calls visit(index, text) for every entry, in ascending index.
    template <typename Visit>
    void forEachEntry(Visit visit) const
    {
        for (std::size_t index = 1; index < byIndex_.size(); ++index)
            if (!byIndex_[index].empty()) visit(static_cast<std::int32_t>(index), byIndex_[index]);
    }

    // A k item with the index and an s item with the text per entry, then the end marker.
    void write(TagWriter& writer) const;
    // Reads up to and including the end marker.
    void read(TagReader& reader);

    // The same texts under the same indexes.
    friend bool operator==(const StringTable& a, const StringTable& b)
    {
        return a.size_ == b.size_ && a.byIndex_ == b.byIndex_;
    }

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    void store(std::int32_t index, std::string_view text);

    static const std::string noText;
    std::string holds_;
    std::vector<std::string> byIndex_;  // the empty text where an index has no entry
    std::unordered_map<std::string, std::int32_t, TextHash, std::equal_to<>> byText_;
    std::int32_t size_ = 0;
};
