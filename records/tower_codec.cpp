#include "records/tower_codec.h"

void writeTower(const Tower& tower, TagWriter& writer)
{
    constexpr std::size_t numberItems = 12;
    const std::size_t most = numberItems * ItemCursor::mostNumberBytes + ItemCursor::mostTextBytes(tower.place)
                             + ItemCursor::mostTextBytes(tower.postcode);
    writer.putRecord(most, [&tower](ItemCursor& items) {
        items.putNumber('k', tower.id);
        items.putText('l', tower.place);
        items.putNumber('c', tower.county);
        items.putNumber('s', tower.dedication);
        items.putNumber('b', tower.bells);
        items.putNumber('w', tower.weight);
        items.putNumber('n', tower.note);
        const std::int32_t flags = (tower.groundFloor ? 1 : 0) + (tower.unringable ? 2 : 0)
                                   + (tower.approxWeight ? 4 : 0);
        items.putNumber('f', flags);
        items.putNumber('x', tower.position.x);
        items.putNumber('y', tower.position.y);
        items.putText('o', tower.postcode);
        items.putNumber('p', tower.practiceNight);
        items.putNumber('t', tower.practiceTime);
        items.putNumber('h', tower.webPage);
    });
}

std::optional<Tower> readTower(TagReader& reader)
{
    if (reader.nextItem() != 'k') return std::nullopt;
    Tower tower;
    tower.id = reader.value();
    Position position;
    // The form of an item is not checked against its field: a number field given a text item
    // reads 0, a text field given a number item takes the most recent text.
    reader.readItemsUntil('k', [&](int tag, std::int32_t value) {
        switch (tag) {
        case 'b': tower.bells = value; break;
        case 'c': tower.county = value; break;
        case 'f':
            tower.groundFloor = (value & 1) != 0;
            tower.unringable = (value & 2) != 0;
            tower.approxWeight = (value & 4) != 0;
            break;
        case 'h': tower.webPage = value; break;
        case 'l': tower.place = reader.text(); break;
        case 'n': tower.note = value; break;
        case 'o': tower.postcode = reader.text(); break;
        case 'p': tower.practiceNight = value; break;
        case 's': tower.dedication = value; break;
        case 't': tower.practiceTime = value; break;
        case 'w': tower.weight = value; break;
        case 'x': position.x = value; break;
        case 'y': position.y = value; break;
        default: break;  // unlisted tags are skipped; their payload is already read
        }
    });
    tower.position = position;
    return tower;
}
