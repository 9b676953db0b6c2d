#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "records/page_memory.h"

// The number stored under each of a set of distinct texts that are not empty. Open addressing:
// a power-of-two array of slots, probed one after the other from where the text's hash points,
// and never more than half full, so a search seldom looks at more than two slots.
class TextIndex {
public:
    struct Entry {
        std::string_view text;  // the stored view; no data for a free slot
        std::int32_t number = 0;
    };

    // The entry of the text, or null; valid until the next insert.
    Entry* find(std::string_view text);
    // Stores a text not yet present. The text is viewed, not copied: it must outlive the index.
    void insert(std::string_view text, std::int32_t number);

private:
    static std::uint64_t hash(std::string_view text);
    Entry& slotFor(std::string_view text);
    void grow();

    std::vector<Entry, PresentAllocator<Entry>> slots_;  // a web address table's takes some 100 KiB
    std::size_t count_ = 0;
};
