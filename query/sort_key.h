#pragma once

#include <array>
#include <cstdint>

// One of the three keys that order the displayed towers.
struct SortKey {
    bool userField = false;     // field is a user-defined field slot (0 to 9)
    std::int32_t field = 0;     // built-in sort field 0 to 7, or a slot; any other number compares nothing
    bool descending = false;

    friend bool operator==(const SortKey&, const SortKey&) = default;
};

// First key first.
using SortKeys = std::array<SortKey, 3>;
