#include "document/document_file.h"

#include <cmath>
#include <set>
#include <string>

#include "document/archive.h"
#include "records/counted.h"

namespace {

// The smallest value entry: a TowerId and a number, or a TowerId and an empty text.
constexpr std::size_t smallestNumberEntry = 8;
constexpr std::size_t smallestTextEntry = 5;
// The smallest identity: three empty texts and three numbers; an owner adds its id.
constexpr std::size_t smallestIdentity = 3 + 3 * 4;
constexpr std::size_t smallestOwner = 4 + smallestIdentity;
// A set-aside tower's former id, identity flag and value count.
constexpr std::size_t smallestSetAsideTower = 3 * 4;
// A set-aside value: its field record and a number or an empty text.
constexpr std::size_t smallestSetAsideValue = 4 + 1;

// Opens the ownership record, as an archive string after the last field record. Nothing else
// may follow the fields, nor the record: a file cut short inside the record, or one whose record
// is damaged, cannot say whose its values are.
constexpr std::string_view ownershipMark = "Belfrix tower owners";

bool isTowerId(std::int32_t id) { return id >= 1 && id <= maxTowerId; }

// Nothing may follow what the reader has read: `after` completes "bytes after ...".
void refuseBytesAfter(const ArchiveReader& in, const std::string& after)
{
    if (in.remaining() == 0) return;
    throw ArchiveFormatError("has " + counted(static_cast<std::int64_t>(in.remaining()), "byte", "bytes") +
                             " after " + after);
}

void putIdentity(ArchiveWriter& out, const TowerIdentity& identity)
{
    out.putString(identity.place);
    out.putString(identity.county);
    out.putString(identity.dedication);
    out.putInt32(identity.position.x);
    out.putInt32(identity.position.y);
    out.putInt32(identity.onlyOfItsName ? 1 : 0);
}

TowerIdentity getIdentity(ArchiveReader& in)
{
    TowerIdentity identity;
    identity.place = in.getString();
    identity.county = in.getString();
    identity.dedication = in.getString();
    identity.position.x = in.getInt32();
    identity.position.y = in.getInt32();
    const std::int32_t alone = in.getInt32();
    if (alone != 0 && alone != 1) throw ArchiveFormatError("names a tower in a way that cannot be read");
    identity.onlyOfItsName = alone == 1;
    return identity;
}

// A count that the rest of the file can hold, each item taking at least itemBytes.
std::int32_t getCount(ArchiveReader& in, std::size_t itemBytes)
{
    const std::int32_t count = in.getInt32();
    if (count < 0) throw ArchiveFormatError("has a negative count");
    if (static_cast<std::size_t>(count) > in.remaining() / itemBytes)
        throw ArchiveFormatError("ends before its contents do");
    return count;
}

// The named slots in slot order: the field records the file holds.
std::vector<const UserField*> writtenFields(const UserFieldSlots& slots)
{
    std::vector<const UserField*> fields;
    for (const UserField& field : slots)
        if (field.isNamed()) fields.push_back(&field);
    return fields;
}

bool hasWrittenValue(const UserField& field, TowerId key)
{
    return field.usesTexts() ? field.texts.find(key) != nullptr : field.numbers.find(key) != nullptr;
}

bool hasWrittenValue(const std::vector<const UserField*>& fields, TowerId key)
{
    for (const UserField* field : fields)
        if (hasWrittenValue(*field, key)) return true;
    return false;
}

void putFieldRecord(ArchiveWriter& out, const UserField& field)
{
    out.putInt32(static_cast<std::int32_t>(field.type));
    out.putString(field.name);
    // Set-aside values lie above the directory's ids and go into the ownership record.
    std::int32_t count = 0;
    const auto countValue = [&count](TowerId id, const auto&) { count += isTowerId(id) ? 1 : 0; };
    if (field.usesTexts()) {
        field.texts.forEach(countValue);
        out.putInt32(count);
        field.texts.forEach([&out](TowerId id, const std::string& text) {
            if (!isTowerId(id)) return;
            out.putInt32(id);
            out.putString(text);
        });
    } else {
        field.numbers.forEach(countValue);
        out.putInt32(count);
        field.numbers.forEach([&out](TowerId id, std::int32_t number) {
            if (!isTowerId(id)) return;
            out.putInt32(id);
            out.putInt32(number);
        });
    }
}

void putOwnership(ArchiveWriter& out, const std::vector<const UserField*>& fields,
                  const ValueOwnership& ownership)
{
    // The owners of written values, and the twins of those and of set-aside towers with written
    // values, which tell a reader whether the twins still stand under their ids.
    std::set<PlaceKey> valued;
    for (const auto& [id, identity] : ownership.owners)
        if (isTowerId(id) && hasWrittenValue(fields, id)) valued.insert(placeKey(identity));
    for (std::size_t k = 0; k < ownership.setAside.size(); ++k) {
        const std::optional<TowerIdentity>& identity = ownership.setAside[k].identity;
        if (identity && hasWrittenValue(fields, firstSetAsideKey + static_cast<TowerId>(k)))
            valued.insert(placeKey(*identity));
    }
    std::vector<std::pair<TowerId, const TowerIdentity*>> owners;
    for (const auto& [id, identity] : ownership.owners)
        if (isTowerId(id) && valued.contains(placeKey(identity))) owners.emplace_back(id, &identity);
    std::vector<TowerId> setAsideKeys;
    for (std::size_t k = 0; k < ownership.setAside.size(); ++k) {
        const TowerId key = firstSetAsideKey + static_cast<TowerId>(k);
        if (hasWrittenValue(fields, key)) setAsideKeys.push_back(key);
    }
    if (owners.empty() && setAsideKeys.empty()) return;

    out.putString(ownershipMark);
    out.putInt32(static_cast<std::int32_t>(owners.size()));
    for (const auto& [id, identity] : owners) {
        out.putInt32(id);
        putIdentity(out, *identity);
    }
    out.putInt32(static_cast<std::int32_t>(setAsideKeys.size()));
    for (const TowerId key : setAsideKeys) {
        const SetAsideTower& tower = ownership.setAside[key - firstSetAsideKey];
        out.putInt32(tower.formerId);
        out.putInt32(tower.identity ? 1 : 0);
        if (tower.identity) putIdentity(out, *tower.identity);
        std::int32_t count = 0;
        for (const UserField* field : fields) count += hasWrittenValue(*field, key) ? 1 : 0;
        out.putInt32(count);
        for (std::size_t record = 0; record < fields.size(); ++record) {
            const UserField& field = *fields[record];
            if (!hasWrittenValue(field, key)) continue;
            out.putInt32(static_cast<std::int32_t>(record));
            if (field.usesTexts())
                out.putString(*field.texts.find(key));
            else
                out.putInt32(*field.numbers.find(key));
        }
    }
}

// A value given again for a set-aside tower in one field keeps the later, and is counted.
ValueOwnership getOwnership(ArchiveReader& in, std::vector<UserField>& fields, std::int32_t& repeatedValues)
{
    ValueOwnership ownership;
    const std::int32_t owners = getCount(in, smallestOwner);
    for (std::int32_t i = 0; i < owners; ++i) {
        const std::int32_t id = in.getInt32();
        if (!isTowerId(id))
            throw ArchiveFormatError("names the tower of id " + std::to_string(id) + ", not 1 to 32767");
        ownership.owners[id] = getIdentity(in);
    }
    const std::int32_t setAside = getCount(in, smallestSetAsideTower);
    for (std::int32_t k = 0; k < setAside; ++k) {
        SetAsideTower& tower = ownership.setAside.emplace_back();
        tower.formerId = in.getInt32();
        const std::int32_t known = in.getInt32();
        if (known != 0 && known != 1) throw ArchiveFormatError("names a tower in a way that cannot be read");
        if (known == 1) tower.identity = getIdentity(in);
        const TowerId key = firstSetAsideKey + k;
        const std::int32_t values = getCount(in, smallestSetAsideValue);
        for (std::int32_t v = 0; v < values; ++v) {
            const std::int32_t record = in.getInt32();
            if (record < 0 || static_cast<std::size_t>(record) >= fields.size())
                throw ArchiveFormatError("keeps a value for field record " + std::to_string(record) +
                                         ", which it does not hold");
            UserField& field = fields[record];
            repeatedValues += hasWrittenValue(field, key) ? 1 : 0;
            if (field.usesTexts())
                field.texts.set(key, in.getString());
            else
                field.numbers.set(key, in.getInt32());
        }
    }
    return ownership;
}

}  // namespace

std::string encodeDocument(std::string_view centreText, double radius, const UserFieldSlots& slots,
                           const ValueOwnership& ownership)
{
    ArchiveWriter out;
    out.putString(centreText);
    out.putDouble(radius);
    const std::vector<const UserField*> fields = writtenFields(slots);
    out.putInt32(static_cast<std::int32_t>(fields.size()));
    for (const UserField* field : fields) putFieldRecord(out, *field);
    putOwnership(out, fields, ownership);
    return out.bytes();
}

DocumentContents decodeDocument(std::string_view bytes)
{
    ArchiveReader in(bytes);
    DocumentContents contents;
    contents.centreText = in.getString();
    contents.radius = in.getDouble();
    if (!(contents.radius >= 0) || std::isinf(contents.radius))
        throw ArchiveFormatError("has the radius " + std::to_string(contents.radius) +
                                 ", not a number of metres from 0 up");
    const std::int32_t count = in.getInt32();
    if (count < 0 || count > userFieldCount)
        throw ArchiveFormatError("has a field count of " + std::to_string(count) +
                                 ", not 0 to 10");
    for (std::int32_t j = 0; j < count; ++j) {
        UserField field;
        const std::int32_t type = in.getInt32();
        if (type < 0 || type > 2)
            throw ArchiveFormatError("has a field of type " + std::to_string(type) +
                                     ", not 0 to 2");
        field.type = static_cast<FieldType>(type);
        field.name = in.getString();
        const std::int32_t values =
            getCount(in, field.usesTexts() ? smallestTextEntry : smallestNumberEntry);
        for (std::int32_t i = 0; i < values; ++i) {
            const TowerId id = in.getInt32();
            if (!isTowerId(id))
                throw ArchiveFormatError("holds a value for the tower id " + std::to_string(id) +
                                         ", not 1 to 32767");
            // A TowerId met twice in one record keeps its later value, and the earlier is counted.
            contents.repeatedValues += hasWrittenValue(field, id) ? 1 : 0;
            if (field.usesTexts())
                field.texts.set(id, in.getString());
            else
                field.numbers.set(id, in.getInt32());
        }
        // Only named fields are written: an unnamed one's values would show nowhere, and the
        // next save would leave them out.
        const std::size_t held = field.usesTexts() ? field.texts.size() : field.numbers.size();
        if (!field.isNamed() && held > 0)
            throw ArchiveFormatError("has a field without a name, holding " +
                                     counted(static_cast<std::int64_t>(held), "value", "values") +
                                     " that no list would show");
        contents.fields.push_back(std::move(field));
    }
    if (in.remaining() == 0) return contents;
    ArchiveWriter mark;
    mark.putString(ownershipMark);
    if (!in.skipIfNext(mark.bytes()))
        refuseBytesAfter(in, "its fields that are not a record of the towers its values belong to");
    contents.ownership = getOwnership(in, contents.fields, contents.repeatedValues);
    refuseBytesAfter(in, "its record of the towers its values belong to");
    return contents;
}
