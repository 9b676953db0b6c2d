#include "query/tower_identity.h"

#include "records/grid_reference.h"
#include "records/tower_directory.h"

std::string identityText(const TowerIdentity& identity)
{
    std::string text = identity.place;
    if (!identity.county.empty()) (text += ", ") += identity.county;
    if (!identity.dedication.empty()) (text += ", ") += identity.dedication;
    if (identity.position.isSet())
        (text += " (") += formatGridRef(identity.position) + ")";
    else
        text += " (no grid reference)";
    return text;
}

TowersByName::TowersByName(const TowerDirectory& directory) : directory_(directory)
{
    for (const auto& [id, tower] : directory.towers()) byName_[nameOf(tower)].push_back(&tower);
}

TowersByName::Name TowersByName::nameOf(const Tower& tower) const
{
    return {tower.place, directory_.countyName(tower.county),
            directory_.dedicationText(tower.dedication)};
}

TowerIdentity TowersByName::identityOf(const Tower& tower) const
{
    const Name name = nameOf(tower);
    const auto found = byName_.find(name);
    const bool alone = found == byName_.end() || found->second.size() <= 1;
    return {std::string(name.place), std::string(name.county), std::string(name.dedication),
            tower.position, alone};
}

std::span<const Tower* const> TowersByName::named(const TowerIdentity& identity) const
{
    const auto found = byName_.find({identity.place, identity.county, identity.dedication});
    if (found == byName_.end()) return {};
    return found->second;
}
