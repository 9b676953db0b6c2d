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
    for (;;) {
        const int tag = reader.nextItem();
        if (tag == 'k' || tag == TagReader::endMarker) {
            reader.unread();
            break;
        }
        // The form of an item is not checked against its field: a number field given a text
        // item reads 0, a text field given a number item takes the most recent text.
        switch (tag) {
        case 'b': tower.bells = reader.value(); break;
        case 'c': tower.county = reader.value(); break;
        case 'f':
            tower.groundFloor = (reader.value() & 1) != 0;
            tower.unringable = (reader.value() & 2) != 0;
            tower.approxWeight = (reader.value() & 4) != 0;
            break;
        case 'h': tower.webPage = reader.value(); break;
        case 'l': tower.place = reader.text(); break;
        case 'n': tower.note = reader.value(); break;
        case 'o': tower.postcode = reader.text(); break;
        case 'p': tower.practiceNight = reader.value(); break;
        case 's': tower.dedication = reader.value(); break;
        case 't': tower.practiceTime = reader.value(); break;
        case 'w': tower.weight = reader.value(); break;
        case 'x': position.x = reader.value(); break;
        case 'y': position.y = reader.value(); break;
        default: break;  // unlisted tags are skipped; their payload is already read
        }
    }
    tower.position = position;
    return tower;
}
