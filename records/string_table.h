#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "records/draw_index.h"
#include "records/tag_reader.h"
#include "records/tag_writer.h"

// A two-way table of distinct texts (county names, dedications, web addresses) under indexes
// 1 to 32767; index 0 stands for no text and the empty text is never stored.
// std::string orders its bytes as unsigned values, as the directory compares texts.
class StringTable {
public:
    // The text's index, drawing a fresh one when the text is new; 0 for the empty text.
    // Throws LimitReached when all 32767 indexes are taken.
    std::int32_t add(std::string_view text, IndexDraw& draw);
    // Empty text for an index without an entry, 0 included.
    const std::string& text(std::int32_t index) const;
    std::int32_t size() const { return static_cast<std::int32_t>(byIndex_.size()); }
    const std::map<std::int32_t, std::string>& byIndex() const { return byIndex_; }

    // A k item with the index and an s item with the text per entry, then the end marker.
    void write(TagWriter& writer) const;
    // Reads up to and including the end marker.
    void read(TagReader& reader);

private:
    std::map<std::int32_t, std::string> byIndex_;
    std::map<std::string, std::int32_t, std::less<>> byText_;  // looked up by string_view
    std::bitset<32768> taken_;  // the keys of byIndex_, for the draw's quick test
};
