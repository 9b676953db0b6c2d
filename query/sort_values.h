#pragma once

#include <array>
#include <string_view>

#include "query/sort_key.h"
#include "records/tower.h"

class TowerDatabase;
class UserFields;

// What one sort key compares of a tower: a text, or a number (every integer field and the
// squared distance fit a double exactly enough to keep their order). A key that names no known
// field compares nothing. Shared by towerLess and the recompute, which works the values out once
// per tower instead of once per comparison.
struct SortValue {
    std::string_view text;
    double number = 0;
};

enum class SortValueKind { None, Text, Number };

class SortValueReader {
public:
    SortValueReader(const TowerDatabase& database, const UserFields& fields, const SortKey& key);

    SortValueKind kind() const { return kind_; }
    const SortKey& key() const { return key_; }
    bool descending() const { return key_.descending; }
    // The text points into the tower, the database's tables or the user fields: valid until
    // they change.
    SortValue read(const Tower& tower) const;

    // Whether a lies below b, and b below a, on this key; false for both when the key is None.
    bool below(const SortValue& a, const SortValue& b) const
    {
        return kind_ == SortValueKind::Text ? a.text < b.text : a.number < b.number;
    }

private:
    const TowerDatabase& database_;
    const UserFields& fields_;
    SortKey key_;
    SortValueKind kind_ = SortValueKind::None;
};
