#include "query/field_list.h"

#include "query/user_fields.h"

std::vector<std::string> fieldList(BuiltInEntries builtIn, const UserFields& fields)
{
    std::vector<std::string> entries(builtIn.begin(), builtIn.end());
    for (int slot : fields.namedSlots()) entries.push_back(fields[slot].name);
    return entries;
}

FieldChoice fieldOfEntry(BuiltInEntries builtIn, const UserFields& fields, int entry)
{
    const int builtInCount = static_cast<int>(builtIn.size());
    if (entry >= 0 && entry < builtInCount) return {false, entry};
    if (entry >= builtInCount) {
        const std::vector<int> named = fields.namedSlots();
        if (static_cast<std::size_t>(entry - builtInCount) < named.size())
            return {true, named[entry - builtInCount]};
    }
    return {false, -1};
}

int entryOfField(BuiltInEntries builtIn, const UserFields& fields, FieldChoice choice)
{
    const int builtInCount = static_cast<int>(builtIn.size());
    if (!choice.userField) return choice.field >= 0 && choice.field < builtInCount ? choice.field : -1;
    const std::vector<int> named = fields.namedSlots();
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (named[i] == choice.field) return builtInCount + static_cast<int>(i);
    }
    return -1;
}
