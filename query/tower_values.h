#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "records/tower.h"

// One user-defined field's values, at most one per TowerId. Values of the ids a directory can
// hold (1 to 32767) lie in an array by id, so reading a tower's value is one read; any other id,
// which only a document file can bring, is kept aside, written again and never shown.
template <typename Value>
class TowerValues {
public:
    TowerValues() = default;
    TowerValues(std::initializer_list<std::pair<TowerId, Value>> values)
    {
        for (const auto& [id, value] : values) set(id, value);
    }

    // nullptr when the tower has no value.
    const Value* find(TowerId id) const
    {
        if (inDirectoryRange(id)) {
            if (static_cast<std::size_t>(id) >= byId_.size() || !byId_[id]) return nullptr;
            return &*byId_[id];
        }
        const auto found = elsewhere_.find(id);
        return found == elsewhere_.end() ? nullptr : &found->second;
    }

    // The tower's value; throws std::out_of_range when it has none.
    const Value& at(TowerId id) const
    {
        const Value* value = find(id);
        if (value == nullptr) throw std::out_of_range("the tower has no value");
        return *value;
    }

    // The tower's value, made as Value{} when it has none.
    Value& operator[](TowerId id)
    {
        if (!inDirectoryRange(id)) return elsewhere_[id];
        if (static_cast<std::size_t>(id) >= byId_.size()) byId_.resize(id + 1);
        if (!byId_[id]) {
            byId_[id].emplace();
            ++inRange_;
        }
        return *byId_[id];
    }

    // Sets or replaces the tower's value.
    void set(TowerId id, Value value) { (*this)[id] = std::move(value); }

    std::size_t size() const { return inRange_ + elsewhere_.size(); }
    bool empty() const { return size() == 0; }
    void clear()
    {
        byId_.clear();
        elsewhere_.clear();
        inRange_ = 0;
    }

    // Calls visit(id, value) for every value, in ascending TowerId.
    template <typename Visit>
    void forEach(Visit visit) const
    {
        auto other = elsewhere_.begin();
        for (; other != elsewhere_.end() && other->first < 1; ++other) visit(other->first, other->second);
        for (std::size_t id = 1; id < byId_.size(); ++id)
            if (byId_[id]) visit(static_cast<TowerId>(id), *byId_[id]);
        for (; other != elsewhere_.end(); ++other) visit(other->first, other->second);
    }

    friend bool operator==(const TowerValues& a, const TowerValues& b)
    {
        if (a.size() != b.size() || a.elsewhere_ != b.elsewhere_) return false;
        const std::size_t reach = std::max(a.byId_.size(), b.byId_.size());
        for (std::size_t id = 1; id < reach; ++id) {
            const Value* x = a.find(static_cast<TowerId>(id));
            const Value* y = b.find(static_cast<TowerId>(id));
            if ((x == nullptr) != (y == nullptr) || (x != nullptr && !(*x == *y))) return false;
        }
        return true;
    }

private:
    static bool inDirectoryRange(TowerId id) { return id >= 1 && id <= maxTowerId; }

    std::vector<std::optional<Value>> byId_;
    std::size_t inRange_ = 0;
    std::map<TowerId, Value> elsewhere_;
};
