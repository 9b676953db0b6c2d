#include "query/value_owners.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "records/counted.h"
#include "records/tower_directory.h"

namespace {

// Every key with a value in any slot, in either map, ascending: the ids of the directory first,
// then the set-aside keys above them.
std::set<TowerId> valuedKeys(const UserFieldSlots& slots)
{
    std::set<TowerId> keys;
    for (const UserField& field : slots) {
        field.numbers.forEach([&keys](TowerId id, std::int32_t) { keys.insert(id); });
        field.texts.forEach([&keys](TowerId id, const std::string&) { keys.insert(id); });
    }
    return keys;
}

// The values a user can see, by key: those of named fields in the map their type uses.
std::map<TowerId, std::int32_t> shownValueCounts(const UserFieldSlots& slots)
{
    std::map<TowerId, std::int32_t> counts;
    for (const UserField& field : slots) {
        if (!field.isNamed()) continue;
        if (field.usesTexts())
            field.texts.forEach([&counts](TowerId id, const std::string&) { ++counts[id]; });
        else
            field.numbers.forEach([&counts](TowerId id, std::int32_t) { ++counts[id]; });
    }
    return counts;
}

template <typename Value>
TowerValues<Value> rekeyed(const TowerValues<Value>& values, const std::map<TowerId, TowerId>& newKey)
{
    TowerValues<Value> moved;
    values.forEach([&](TowerId id, const Value& value) { moved.set(newKey.at(id), value); });
    return moved;
}

// The values under one key, and the tower of the directory they belong to once matched.
struct Claim {
    TowerId key = 0;
    TowerId formerId = 0;
    const TowerIdentity* identity = nullptr;  // none: the document never knew whose they are
    bool owned = false;                       // identity from the owners, formerId the key
    std::optional<TowerId> target;
    std::optional<SetAsideReason> setAsideFor;

    bool settled() const { return target || setAsideFor; }
};

// Gives each claim the tower it belongs to, each tower to one claim at most.
class Matcher {
public:
    Matcher(const TowerDirectory& directory, const std::map<TowerId, TowerIdentity>& owners)
        : directory_(directory), names_(directory)
    {
        for (const auto& [id, owner] : owners) ownedByPlace_[placeKey(owner)].insert(id);
    }

    void match(std::vector<Claim*> claims)
    {
        for (Claim* claim : claims) stillUnderFormerId(*claim);
        byNameAndPosition(claims);
        byNameAlone(claims);
    }

private:
    void take(Claim& claim, const Tower& tower)
    {
        claim.target = tower.id;
        claimed_.insert(tower.id);
    }
    bool isFree(const Tower& tower) const { return !claimed_.contains(tower.id) && !inDoubt_.contains(tower.id); }

    // The towers of the directory indistinguishable from the identity.
    std::vector<const Tower*> alike(const TowerIdentity& identity) const
    {
        std::vector<const Tower*> towers;
        for (const Tower* tower : names_.named(identity))
            if (tower->position == identity.position) towers.push_back(tower);
        return towers;
    }

    // The ids the owners give the towers indistinguishable from the identity.
    const std::set<TowerId>& ownedAlike(const TowerIdentity& identity) const
    {
        static const std::set<TowerId> none;
        const auto found = ownedByPlace_.find(placeKey(identity));
        return found == ownedByPlace_.end() ? none : found->second;
    }

    // A tower under the id its owner gave it is still that tower, as long as its twins, if any,
    // stand under the ids they had too.
    void stillUnderFormerId(Claim& claim)
    {
        if (!claim.owned) return;
        const Tower* tower = directory_.tower(claim.formerId);
        if (tower == nullptr || !isFree(*tower)) return;
        if (placeKey(names_.identityOf(*tower)) != placeKey(*claim.identity)) return;
        std::set<TowerId> ids;
        for (const Tower* twin : alike(*claim.identity)) ids.insert(twin->id);
        if (ids == ownedAlike(*claim.identity)) take(claim, *tower);
    }

    // A tower of the same name at the same place; two such towers are indistinguishable, and so
    // are two claims for one, and the claims of twins that no longer stand under their ids.
    void byNameAndPosition(const std::vector<Claim*>& claims)
    {
        std::map<PlaceKey, std::vector<Claim*>> groups;
        for (Claim* claim : claims)
            if (!claim->settled()) groups[placeKey(*claim->identity)].push_back(claim);
        for (auto& [key, group] : groups) {
            const TowerIdentity& identity = *group.front()->identity;
            // Claimed towers count too: that one of two twins holds values of its own does not
            // make the other the one these belong to.
            const std::vector<const Tower*> candidates = alike(identity);
            if (candidates.empty()) continue;
            const bool twins = wereTwins(identity, group);
            if (!twins && candidates.size() == 1) {
                if (!isFree(*candidates.front())) continue;
                if (group.size() == 1) {
                    take(*group.front(), *candidates.front());
                    continue;
                }
            }
            for (Claim* claim : group) claim->setAsideFor = twins ? SetAsideReason::Twins : SetAsideReason::Ambiguous;
            // Towers standing where these values' towers stood may be theirs: no namesake whose
            // grid position was corrected is taken to be one of them.
            for (const Tower* candidate : candidates) inDoubt_.insert(candidate->id);
        }
    }

    // Whether a claim's tower had twins, which only their unchanged ids tell apart, however many
    // of them are left: an owned one among more than one owned id; one set aside before that had
    // namesakes, of which a twin was still there when it was saved, or of which none now stands
    // at another grid position to have been them.
    bool wereTwins(const TowerIdentity& identity, const std::vector<Claim*>& group) const
    {
        const bool namesakesElsewhere = names_.named(identity).size() > alike(identity).size();
        return std::any_of(group.begin(), group.end(), [&](const Claim* claim) {
            if (claim->owned) return ownedAlike(identity).size() > 1;
            return !claim->identity->onlyOfItsName && (!ownedAlike(identity).empty() || !namesakesElsewhere);
        });
    }

    // A tower that was the only one of its name and still is, at a corrected grid position.
    void byNameAlone(const std::vector<Claim*>& claims)
    {
        using Key = std::tuple<std::string_view, std::string_view, std::string_view>;
        std::map<Key, std::vector<Claim*>> groups;
        for (Claim* claim : claims) {
            if (claim->settled()) continue;
            const TowerIdentity& id = *claim->identity;
            groups[{id.place, id.county, id.dedication}].push_back(claim);
        }
        for (auto& [key, group] : groups) {
            const auto named = names_.named(*group.front()->identity);
            for (Claim* claim : group) {
                if (named.empty() || !claim->identity->onlyOfItsName) {
                    claim->setAsideFor = SetAsideReason::NotInDirectory;
                } else if (group.size() == 1 && named.size() == 1 && isFree(*named.front())) {
                    take(*claim, *named.front());
                } else if (group.size() > 1 || named.size() > 1) {
                    claim->setAsideFor = SetAsideReason::Ambiguous;
                } else {
                    claim->setAsideFor = SetAsideReason::NotInDirectory;
                }
            }
        }
    }

    const TowerDirectory& directory_;
    TowersByName names_;
    std::map<PlaceKey, std::set<TowerId>> ownedByPlace_;
    std::set<TowerId> claimed_;
    std::set<TowerId> inDoubt_;  // may be the towers of values set aside, so taken by none
};

// What follows the number of values of each kind of set-aside tower, for one value and for more.
struct SetAsidePhrase {
    SetAsideReason reason;
    const char* one;
    const char* many;
};
constexpr SetAsidePhrase setAsidePhrases[] = {
    {SetAsideReason::NotInDirectory,
     " value belongs to a tower not found in this directory by its name and grid reference, and is kept "
     "with the document:",
     " values belong to towers not found in this directory by their names and grid references, and are "
     "kept with the document:"},
    {SetAsideReason::Ambiguous,
     " value could belong to more than one tower of its name and is kept with the document:",
     " values could each belong to more than one tower of their name and are kept with the document:"},
    {SetAsideReason::Twins,
     " value belongs to one of twins, towers of one name and grid reference (two rings in one church) that no "
     "longer stand under their numbers, and is kept with the document:",
     " values belong to twins, towers of one name and grid reference (two rings in one church) that no longer "
     "stand under their numbers, and are kept with the document:"},
    {SetAsideReason::Unknown,
     " value belongs to a tower the document cannot name and is kept with it:",
     " values belong to towers the document cannot name and are kept with them:"},
};

void appendSetAsideGroup(std::string& text, const ReattachmentReport& report, const SetAsidePhrase& phrase)
{
    constexpr std::size_t namedAtMost = 10;
    // Towers that are named alike, such as twins set aside together, are one line.
    struct Named {
        std::string_view tower;
        std::int32_t values = 0;
        std::int32_t towers = 0;
    };
    std::int32_t values = 0;
    std::vector<Named> named;
    for (const SetAsideNote& note : report.setAside) {
        if (note.reason != phrase.reason) continue;
        values += note.values;
        auto alike = std::find_if(named.begin(), named.end(), [&note](const Named& n) { return n.tower == note.tower; });
        if (alike == named.end()) alike = named.insert(named.end(), Named{note.tower});
        alike->values += note.values;
        ++alike->towers;
    }
    if (named.empty()) return;
    (text += std::to_string(values)) += values == 1 ? phrase.one : phrase.many;
    text += '\n';
    for (std::size_t i = 0; i < named.size() && i < namedAtMost; ++i) {
        text += "  ";
        text += named[i].tower;
        if (named[i].values > 1) text += ": " + std::to_string(named[i].values) + " values";
        if (named[i].towers > 1) text += " of " + std::to_string(named[i].towers) + " towers of that name";
        text += '\n';
    }
    std::int32_t more = 0;
    for (std::size_t i = namedAtMost; i < named.size(); ++i) more += named[i].towers;
    if (more > 0) text += "  and " + counted(more, "more tower", "more towers") + '\n';
}

}  // namespace

std::map<TowerId, TowerIdentity> valueOwners(const UserFieldSlots& slots, const TowerDirectory& directory,
                                             const SetAsideTowers& setAside)
{
    std::map<TowerId, TowerIdentity> owners;
    const std::set<TowerId> keys = valuedKeys(slots);
    if (keys.empty()) return owners;  // the names of every tower are gathered only for values
    const TowersByName names(directory);
    const auto addTwins = [&](const TowerIdentity& identity, TowerId except) {
        for (const Tower* namesake : names.named(identity))
            if (namesake->id != except && namesake->position == identity.position) owners.emplace(namesake->id, identity);
    };
    for (const TowerId key : keys) {
        if (isSetAsideKey(key)) {
            const auto k = static_cast<std::size_t>(key - firstSetAsideKey);
            if (k < setAside.size() && setAside[k].identity) addTwins(*setAside[k].identity, 0);
            continue;
        }
        const Tower* tower = directory.tower(key);
        if (tower == nullptr) continue;
        const TowerIdentity identity = names.identityOf(*tower);
        addTwins(identity, key);
        owners.emplace(key, identity);
    }
    return owners;
}

ReattachmentReport reattachValues(UserFieldSlots& slots, SetAsideTowers& setAside,
                                  const std::map<TowerId, TowerIdentity>& owners, bool ownersComplete,
                                  const TowerDirectory& directory)
{
    // In ascending key: the values under the directory's ids have the first right to their towers.
    std::vector<Claim> claims;
    for (const TowerId key : valuedKeys(slots)) {
        Claim& claim = claims.emplace_back();
        claim.key = key;
        claim.formerId = key;
        if (isSetAsideKey(key)) {
            const std::size_t k = static_cast<std::size_t>(key - firstSetAsideKey);
            if (k < setAside.size()) claim.formerId = setAside[k].formerId;
            if (k < setAside.size() && setAside[k].identity)
                claim.identity = &*setAside[k].identity;
            else
                claim.setAsideFor = SetAsideReason::Unknown;
        } else if (const auto owner = owners.find(key); owner != owners.end()) {
            claim.identity = &owner->second;
            claim.owned = true;
        } else if (ownersComplete) {
            claim.setAsideFor = SetAsideReason::Unknown;
        }
    }
    std::vector<Claim*> owned;
    for (Claim& claim : claims)
        if (claim.identity != nullptr) owned.push_back(&claim);
    if (!owned.empty()) Matcher(directory, owners).match(owned);

    std::set<TowerId> targets;
    for (const Claim& claim : claims)
        if (claim.target) targets.insert(*claim.target);

    const std::map<TowerId, std::int32_t> shown = shownValueCounts(slots);
    const auto shownAt = [&shown](TowerId key) {
        const auto found = shown.find(key);
        return found == shown.end() ? 0 : found->second;
    };
    ReattachmentReport report;
    SetAsideTowers kept;
    std::map<TowerId, TowerId> newKey;
    for (Claim& claim : claims) {
        if (claim.target) {
            newKey[claim.key] = *claim.target;
            if (isSetAsideKey(claim.key))
                report.returnedValues += shownAt(claim.key);
            else if (*claim.target != claim.key)
                report.movedValues += shownAt(claim.key);
            continue;
        }
        // Values the document never knew the tower of stay under their id, unless the tower
        // they were under is another's now.
        if (!claim.settled() && !targets.contains(claim.key)) {
            newKey[claim.key] = claim.key;
            if (directory.tower(claim.key) != nullptr) report.shownByNumber += shownAt(claim.key);
            continue;
        }
        const SetAsideReason reason = claim.setAsideFor.value_or(SetAsideReason::Unknown);
        newKey[claim.key] = firstSetAsideKey + static_cast<TowerId>(kept.size());
        SetAsideTower& tower = kept.emplace_back();
        tower.formerId = claim.formerId;
        if (claim.identity != nullptr) tower.identity = *claim.identity;
        if (const std::int32_t values = shownAt(claim.key); values > 0) {
            const std::string name = tower.identity ? identityText(*tower.identity)
                                                    : "the tower once numbered " + std::to_string(tower.formerId);
            report.setAside.push_back({name, reason, values});
        }
    }
    for (const auto& [from, to] : newKey)
        if (from != to) report.keysChanged = true;
    for (UserField& field : slots) {
        field.numbers = rekeyed(field.numbers, newKey);
        field.texts = rekeyed(field.texts, newKey);
    }
    setAside = std::move(kept);
    return report;
}

ReattachmentReport keptByNumber(const UserFieldSlots& slots, const TowerDirectory& directory)
{
    ReattachmentReport report;
    // Without a directory no value shows, and the list says why.
    if (directory.towers().empty()) return report;
    for (const auto& [key, values] : shownValueCounts(slots))
        (directory.tower(key) != nullptr ? report.keptByNumber : report.hiddenByNumber) += values;
    return report;
}

std::string reattachmentText(const ReattachmentReport& report)
{
    std::string text;
    if (report.keptByNumber > 0)
        text += "The document does not say which towers its values belong to: it was saved by an earlier "
                "version, or is cut short. " +
                counted(report.keptByNumber, "value is", "values are") +
                " shown on the towers under the numbers they were saved with; if the directory was compiled "
                "again since, check them. Saving the document records the towers they are on.\n";
    if (report.repeatedValues > 0)
        text += counted(report.repeatedValues, "value is", "values are") +
                " given again for a tower in one field, which holds one value a tower: the later is kept, and "
                "the earlier " + (report.repeatedValues == 1 ? "is" : "are") +
                " left out when the document is saved.\n";
    if (report.hiddenByNumber > 0)
        text += report.hiddenByNumber == 1
                    ? "1 value is under a tower number that no tower of this directory has: shown on no tower, "
                      "it is kept with the document.\n"
                    : std::to_string(report.hiddenByNumber) +
                          " values are under tower numbers that no tower of this directory has: shown on no "
                          "tower, they are kept with the document.\n";
    if (report.shownByNumber > 0)
        text += report.shownByNumber == 1
                    ? "1 value is under a tower number that had no tower in the directory it was last kept with, "
                      "and is shown on the tower under that number now; if the directory was compiled again "
                      "since, check it.\n"
                    : std::to_string(report.shownByNumber) +
                          " values are under tower numbers that had no tower in the directory they were last kept "
                          "with, and are shown on the towers under those numbers now; if the directory was "
                          "compiled again since, check them.\n";
    if (report.movedValues > 0) {
        text += std::to_string(report.movedValues);
        text += report.movedValues == 1 ? " value moved to its tower's new number in this directory.\n"
                                        : " values moved to their towers' new numbers in this directory.\n";
    }
    if (report.returnedValues > 0)
        text += counted(report.returnedValues, "value", "values") + " kept with the document " +
                (report.returnedValues == 1 ? "is back on its tower.\n" : "are back on their towers.\n");
    for (const SetAsidePhrase& phrase : setAsidePhrases) appendSetAsideGroup(text, report, phrase);
    return text;
}
