#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "query/tower_identity.h"
#include "query/user_fields.h"

class TowerDirectory;

// The user's values are keyed by TowerId, and every compile of the directory draws its ids
// afresh. So the document remembers whose each value is (a TowerIdentity) and, when the
// directory changes, puts every value back on its own tower's new id.
//
// A value whose tower the directory does not hold, or cannot tell from another, is set aside:
// kept under a key above the directory's ids, one key a tower, where it is never shown, never
// lost, and saved again with the document until its tower comes back.

inline constexpr TowerId firstSetAsideKey = maxTowerId + 1;

struct SetAsideTower {
    TowerId formerId = 0;                   // its id in the directory it was last seen in
    std::optional<TowerIdentity> identity;  // none when the document never knew which tower it was

    friend bool operator==(const SetAsideTower&, const SetAsideTower&) = default;
};
// Element k holds the tower whose values lie under firstSetAsideKey + k.
using SetAsideTowers = std::vector<SetAsideTower>;

inline bool isSetAsideKey(TowerId key) { return key >= firstSetAsideKey; }

// Whose the values are, as a document file keeps it after its fields.
struct ValueOwnership {
    std::map<TowerId, TowerIdentity> owners;  // by the ids of the directory they were saved with
    SetAsideTowers setAside;

    friend bool operator==(const ValueOwnership&, const ValueOwnership&) = default;
};

// Whose the values under the directory's ids are: the identity of the directory's tower for every
// key that holds a value in any slot, in either map, and of every tower indistinguishable from
// one of those or from a set-aside tower, so that a reader can tell whether such twins still
// stand under the ids they had, and that a set-aside value's tower had one. Keys the directory
// does not hold have none.
std::map<TowerId, TowerIdentity> valueOwners(const UserFieldSlots& slots, const TowerDirectory& directory,
                                             const SetAsideTowers& setAside = {});

enum class SetAsideReason {
    NotInDirectory,  // no tower of its name stands where it stood
    Ambiguous,       // more than one tower could be it, equally
    Twins,           // one of towers alike in name and grid position, which no longer keep their ids
    Unknown,         // the document never knew which tower it was
};

struct SetAsideNote {
    std::string tower;  // identityText, or the id it once had
    SetAsideReason reason;
    std::int32_t values;
};

struct ReattachmentReport {
    std::int32_t movedValues = 0;          // now under another id than before
    std::int32_t returnedValues = 0;       // set aside before, now on their towers
    std::vector<SetAsideNote> setAside;    // every set-aside tower with a value in a named field
    bool keysChanged = false;              // some value lies under another key than before
    std::int32_t keptByNumber = 0;         // shown under the numbers they were saved with, ownerless
    std::int32_t hiddenByNumber = 0;       // ownerless, under numbers no tower has: shown nowhere
    std::int32_t shownByNumber = 0;        // of a record's ownerless numbers, shown on the towers there now
    std::int32_t repeatedValues = 0;       // given again for a tower in one field: the later kept

    bool empty() const
    {
        return movedValues == 0 && returnedValues == 0 && setAside.empty() && keptByNumber == 0 &&
               hiddenByNumber == 0 && shownByNumber == 0 && repeatedValues == 0;
    }
};

// Moves every value onto the id of its tower in the directory. owners tells whose the values
// under the directory's ids are. When ownersComplete, the owners were taken from a whole
// directory, which had no tower under a key without an owner: its values, which no tower
// showed, are set aside. Otherwise such a key keeps its values where they are, unless an owned
// tower now stands there: then they are set aside. setAside tells whose the set-aside values
// are, and the towers that come back take their values again. A tower is found by its id, then
// by name and grid position, then (if it had no namesake, and no set-aside value's tower may
// stand where it stands) by name alone; a value that could belong to two towers is set aside,
// never guessed. Twins are told apart by their ids alone, and only while the directory's twins
// of that name and place stand under exactly the ids the owners give them: a line added or
// removed before them moves their ids. Only the values of named fields, in the map their type
// uses, are counted in the report; every value is moved.
ReattachmentReport reattachValues(UserFieldSlots& slots, SetAsideTowers& setAside,
                                  const std::map<TowerId, TowerIdentity>& owners, bool ownersComplete,
                                  const TowerDirectory& directory);

// A document that does not say whose its values are (saved before documents kept their towers,
// or cut short just before that record) keeps every value under the number it was saved with;
// the report counts the values that the directory's towers under those numbers show.
ReattachmentReport keptByNumber(const UserFieldSlots& slots, const TowerDirectory& directory);

// What the user is told after a document was read against a directory that numbers its towers
// otherwise: how many values moved, and the set-aside towers by name, the first ten of each kind
// and then a count. Lines end with a line feed; empty for an empty report.
std::string reattachmentText(const ReattachmentReport& report);
