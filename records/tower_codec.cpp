#include "records/tower_codec.h"

void writeTower(const Tower& tower, TagWriter& writer)
{
    writer.putNumber('k', tower.id);
    writer.putText('l', tower.place);
    writer.putNumber('c', tower.county);
    writer.putNumber('s', tower.dedication);
    writer.putNumber('b', tower.bells);
    writer.putNumber('w', tower.weight);
    writer.putNumber('n', tower.note);
    const std::int32_t flags = (tower.groundFloor ? 1 : 0) + (tower.unringable ? 2 : 0)
                               + (tower.approxWeight ? 4 : 0);
    writer.putNumber('f', flags);
    writer.putNumber('x', tower.position.x);
    writer.putNumber('y', tower.position.y);
    writer.putText('o', tower.postcode);
    writer.putNumber('p', tower.practiceNight);
    writer.putNumber('t', tower.practiceTime);
    writer.putNumber('h', tower.webPage);
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
