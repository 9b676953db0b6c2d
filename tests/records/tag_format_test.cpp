// The tagged item format of the compiled data file, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/tag_reader.h"
#include "records/tag_writer.h"
#include "records/tower_codec.h"
#include "records/tower_directory.h"
#include "tests/support/bytes.h"

namespace {

std::string numberItem(char tag, std::int32_t value)
{
    TagWriter writer;
    writer.putNumber(tag, value);
    return std::string(writer.bytes());
}

TEST(TagWriter, ChoosesTheNarrowestFormForEachNumber)
{
    struct Case {
        char tag;
        std::int32_t value;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {'w', 0, ""},
        {'w', 1, bytesOf({0x17, 0x01})},
        {'w', 255, bytesOf({0x17, 0xFF})},
        {'w', 256, bytesOf({0x37, 0x00, 0x01})},
        {'w', 65535, bytesOf({0x37, 0xFF, 0xFF})},
        {'w', 65536, bytesOf({0x57, 0x00, 0x00, 0x01, 0x00})},
        {'n', -2, bytesOf({0x4E, 0xFE, 0xFF, 0xFF, 0xFF})},
        {'k', 2147483647, bytesOf({0x4B, 0xFF, 0xFF, 0xFF, 0x7F})},
        {'y', -2147483647 - 1, bytesOf({0x59, 0x00, 0x00, 0x00, 0x80})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(numberItem(c.tag, c.value), c.expected);
        // and back
        TagReader reader(c.expected + bytesOf({0x0B, 0x05}));
        if (c.value != 0) {
            EXPECT_EQ(reader.nextItem(), c.tag);
            EXPECT_EQ(reader.value(), c.value);
        }
        EXPECT_EQ(reader.nextItem(), 'k');
        EXPECT_EQ(reader.value(), 5);
    }
}

TEST(TagWriter, WritesTextsWholeAndLeavesOutEmptyOnes)
{
    TagWriter writer;
    writer.putText('l', "");
    writer.putText('o', "AB1 2CD");
    writer.putEnd();
    EXPECT_EQ(writer.bytes(), std::string("\x6F" "AB1 2CD") + '\0' + "\xFF");

    // Well past the 999 bytes the format was made for.
    const std::string longText(5000, 'q');
    TagWriter longWriter;
    longWriter.putText('s', longText);
    ASSERT_EQ(longWriter.bytes().size(), longText.size() + 2);
    TagReader reader(longWriter.bytes());
    EXPECT_EQ(reader.nextItem(), 's');
    EXPECT_EQ(reader.text(), longText);
    EXPECT_EQ(reader.value(), 0);
    EXPECT_EQ(reader.nextItem(), TagReader::endMarker);
}

TEST(TagWriter, StopsATextAtAZeroByteSoTheFileStaysReadable)
{
    TagWriter writer;
    writer.putText('l', std::string("Ab\0\x0B\x07", 5));
    writer.putText('o', std::string("\0tail", 5));  // nothing before the 0 byte: no item
    writer.putText('s', std::string("Dedication\0tail", 15));  // found a word at a time
    writer.putNumber('b', 8);
    EXPECT_EQ(writer.bytes(), std::string("\x6C" "Ab\0\x73" "Dedication\0\x02\x08", 18));
}

TEST(TagReader, ReadsEveryFormAndTreatsTheEndOfTheBytesAsEndMarkers)
{
    // small b, word c, long x, text l, bare h (0x88), text-form f carrying no number, k
    TagReader reader(bytesOf({0x02, 0x08, 0x23, 0x34, 0x12, 0x58, 0x01, 0x02, 0x03, 0x84, 0x6C,
                            0x41, 0x00, 0x88, 0x66, 0x5A, 0x00, 0x0B, 0x07}));
    EXPECT_EQ(reader.nextItem(), 'b');
    EXPECT_EQ(reader.value(), 8);
    EXPECT_EQ(reader.nextItem(), 'c');
    EXPECT_EQ(reader.value(), 0x1234);
    EXPECT_EQ(reader.nextItem(), 'x');
    EXPECT_EQ(reader.value(), static_cast<std::int32_t>(0x84030201u));
    EXPECT_EQ(reader.nextItem(), 'l');
    EXPECT_EQ(reader.text(), "A");
    EXPECT_EQ(reader.nextItem(), 'h');
    EXPECT_EQ(reader.value(), 0);
    EXPECT_EQ(reader.text(), "A");  // the most recent text item's
    EXPECT_EQ(reader.nextItem(), 'f');
    EXPECT_EQ(reader.value(), 0);
    EXPECT_EQ(reader.text(), "Z");
    EXPECT_EQ(reader.nextItem(), 'k');
    reader.unread();
    EXPECT_EQ(reader.nextItem(), 'k');
    EXPECT_EQ(reader.value(), 7);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reader.nextItem(), TagReader::endMarker);
        EXPECT_EQ(reader.value(), 0);
    }
}

TEST(TagReader, DropsAnItemWhosePayloadIsCutShort)
{
    const std::vector<std::string> cut = {
        bytesOf({0x17}), bytesOf({0x37, 0x86}), bytesOf({0x57, 0x01, 0x02, 0x03}), bytesOf({0x6C, 0x41, 0x62}),
    };
    for (const std::string& item : cut) {
        TagReader reader(bytesOf({0x02, 0x08}) + item);
        EXPECT_EQ(reader.nextItem(), 'b');
        EXPECT_EQ(reader.nextItem(), TagReader::endMarker);
        EXPECT_EQ(reader.value(), 0);
        EXPECT_EQ(reader.text(), "");
        EXPECT_EQ(reader.nextItem(), TagReader::endMarker);
    }
}

TEST(TagReader, ReadsWordsOutsideTheItemFormat)
{
    TagReader reader(bytesOf({0xE8, 0x03, 0xFF, 0xFF, 0x01}));
    EXPECT_EQ(reader.readWord(), 1000);
    EXPECT_EQ(reader.readWord(), 65535);
    EXPECT_EQ(reader.readWord(), std::nullopt);
    EXPECT_EQ(reader.readWord(), std::nullopt);
}

Tower workedExampleTower()
{
    Tower tower;
    tower.id = 300;
    tower.place = "Ab";
    tower.bells = 8;
    tower.weight = 1414;
    tower.note = 4;
    tower.groundFloor = true;
    tower.position = {4123, 1456};
    return tower;
}

const std::string workedExampleBytes =
    bytesOf({0x2B, 0x2C, 0x01, 0x6C, 0x41, 0x62, 0x00, 0x02, 0x08, 0x37, 0x86, 0x05, 0x0E, 0x04,
           0x06, 0x01, 0x38, 0x1B, 0x10, 0x39, 0xB0, 0x05, 0xFF, 0xFF, 0xFF, 0xFF});

TEST(TowerCodec, WorkedExampleIsTwentySixBytesAndReadsBack)
{
    TagWriter writer;
    writeTower(workedExampleTower(), writer);
    for (int list = 0; list < 4; ++list) writer.putEnd();
    EXPECT_EQ(writer.bytes(), workedExampleBytes);

    const TowerDirectory database{TagReader(workedExampleBytes)};
    ASSERT_EQ(database.towers().size(), 1u);
    EXPECT_EQ(*database.tower(300), workedExampleTower());
    EXPECT_EQ(database.counts().counties, 0);
    EXPECT_EQ(database.encode(), workedExampleBytes);
}

TEST(TowerDirectory, IsDamagedOnlyWhenItsBytesEndBeforeTheLastEndMarkerGoOnAfterItOrBeginWithNoTower)
{
    // Every cut before the fourth end marker is damage, and what came before it is kept.
    for (std::size_t length = 0; length < workedExampleBytes.size(); ++length) {
        const TowerDirectory cut{TagReader(workedExampleBytes.substr(0, length))};
        EXPECT_TRUE(cut.damaged()) << length;
        EXPECT_EQ(cut.towers().size(), length >= 3 ? 1u : 0u) << length;
    }
    EXPECT_EQ(damageReport("vesk.dat", TowerDirectory{TagReader(workedExampleBytes.substr(0, 24))}),
              "\"vesk.dat\" is damaged: its 24 bytes end before its last end marker. 1 tower, 0 "
              "counties, 0 dedications and 0 web addresses could be read.");
    // Cut inside the one tower's record: that tower may lack items.
    const TowerDirectory cutInTower{TagReader(workedExampleBytes.substr(0, 22))};
    EXPECT_NE(damageReport("vesk.dat", cutInTower).find("1 tower (perhaps only in part), "), std::string::npos);
    // Bytes that begin with neither a tower nor the towers' end marker are no directory's file,
    // such as an outline map's.
    const TowerDirectory stray{TagReader(bytesOf({0x02, 0x00, 0xFF, 0xFF, 0xFF}))};
    EXPECT_EQ(damageReport("map.dat", stray),
              "\"map.dat\" is damaged, or is no compiled directory: it begins with neither a tower nor the towers' "
              "end marker. 0 towers, 0 counties, 0 dedications and 0 web addresses could be read.");
    // A byte changed in the middle ends a list early, and the rest is left over after the last
    // end marker; so are bytes added at the end.
    std::string changed = workedExampleBytes;
    changed[7] = '\xFF';
    EXPECT_EQ(damageReport("vesk.dat", TowerDirectory{TagReader(changed)}),
              "\"vesk.dat\" is damaged: 1 byte follows its last end marker, where a compiled directory ends. 1 "
              "tower, 0 counties, 0 dedications and 0 web addresses could be read.");
    EXPECT_TRUE(TowerDirectory{TagReader(workedExampleBytes + "after")}.damaged());
    // What a file holds on purpose is no damage: the same id twice, an index given twice, and an
    // unlisted tag.
    const std::string whole[] = {
        workedExampleBytes,
        bytesOf({0x0B, 5, 0x02, 6, 0x0B, 5, 0x02, 8, 0xFF, 0x0B, 1, 0x73, 'A', 0, 0x0B, 1, 0x73, 'B', 0,
                 0xFF, 0x67, 'x', 0, 0xFF, 0xFF}),
    };
    for (const std::string& bytes : whole) EXPECT_FALSE(TowerDirectory{TagReader(bytes)}.damaged()) << bytes.size();
}

TEST(TowerCodec, WritesEveryFieldInRecordOrder)
{
    Tower tower;
    tower.id = 7;
    tower.place = "P";
    tower.county = 1;
    tower.dedication = 2;
    tower.bells = 3;
    tower.weight = 4;
    tower.note = 5;
    tower.unringable = true;
    tower.approxWeight = true;
    tower.position = {6, 7};
    tower.postcode = "Q";
    tower.practiceNight = 23;
    tower.practiceTime = 1170;
    tower.webPage = 9;
    TagWriter writer;
    writeTower(tower, writer);
    EXPECT_EQ(writer.bytes(), bytesOf({0x0B, 7, 0x6C, 'P', 0, 0x03, 1, 0x13, 2, 0x02, 3, 0x17, 4,
                                     0x0E, 5, 0x06, 6, 0x18, 6, 0x19, 7, 0x6F, 'Q', 0, 0x10, 23,
                                     0x34, 0x92, 0x04, 0x08, 9}));
    TagReader reader(writer.bytes());
    EXPECT_EQ(readTower(reader), tower);

    Tower bare;
    bare.id = 12;
    TagWriter bareWriter;
    writeTower(bare, bareWriter);
    EXPECT_EQ(bareWriter.bytes(), bytesOf({0x0B, 12}));
}

TEST(TowerCodec, ReadsRecordsBackToBackAndSkipsUnlistedTags)
{
    // Tower 5 with a g item in the middle, then tower 6; the second k ends the first record.
    TagReader reader(bytesOf({0x0B, 5, 0x07, 99, 0x02, 6, 0x67, 'x', 0, 0x0B, 6, 0x06, 0xFB, 0xFF}));
    const std::optional<Tower> first = readTower(reader);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->id, 5);
    EXPECT_EQ(first->bells, 6);
    EXPECT_EQ(first->place, "");
    const std::optional<Tower> second = readTower(reader);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->id, 6);
    // Flags 0xFB: bits 0 and 1 set, bit 2 clear; the other bits mean nothing.
    EXPECT_TRUE(second->groundFloor);
    EXPECT_TRUE(second->unringable);
    EXPECT_FALSE(second->approxWeight);
    EXPECT_FALSE(readTower(reader));
    EXPECT_EQ(reader.nextItem(), TagReader::endMarker);
}

TEST(TowerCodec, FormsAreNotCheckedAgainstFields)
{
    // A number field as a text item reads 0; a text field as a number item takes the last text.
    TagReader reader(bytesOf({0x0B, 1, 0x62, 'Z', 0, 0x6F, 'P', 'C', 0, 0x0C, 3, 0xFF}));
    const std::optional<Tower> tower = readTower(reader);
    ASSERT_TRUE(tower);
    EXPECT_EQ(tower->bells, 0);
    EXPECT_EQ(tower->postcode, "PC");
    EXPECT_EQ(tower->place, "PC");
}

}  // namespace
