#include <gtest/gtest.h>

#include <string>

#include "document/archive.h"
#include "document/document_file.h"
#include "query/user_fields.h"
#include "query/value_owners.h"
#include "tests/support/bytes.h"

using namespace std::string_literals;

namespace {

std::array<UserField, userFieldCount> noFields() { return {}; }

// The 21 bytes of a document with the default centre and radius and no named field.
const std::string defaultDocument =
    "\x08"s + "TQ102665" + bytesOf({0, 0, 0, 0, 0, 0x6A, 0xE8, 0x40}) + bytesOf({0, 0, 0, 0});

TEST(ArchiveString, LengthPrefixGrowsAtEachLimitAndEveryLengthReadsBackWhole)
{
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, bytesOf({0x00})},
        {254, bytesOf({0xFE})},
        {255, bytesOf({0xFF, 0xFF, 0x00})},
        {300, bytesOf({0xFF, 0x2C, 0x01})},
        {65533, bytesOf({0xFF, 0xFD, 0xFF})},
        {65534, bytesOf({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65536, bytesOf({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'x');
        if (!text.empty()) text.back() = '\xB0';  // bytes above 127 pass untouched
        ArchiveWriter out;
        out.putString(text);
        EXPECT_EQ(out.bytes(), c.prefix + text) << c.length;
        ArchiveReader in(out.bytes());
        EXPECT_EQ(in.getString(), text) << c.length;
        EXPECT_EQ(in.remaining(), 0u);
    }
}

TEST(ArchiveString, ThreeByteFormIsReadEvenForShortTexts)
{
    const std::string bytes = bytesOf({0xFF, 0x03, 0x00}) + "abc";
    ArchiveReader in(bytes);
    EXPECT_EQ(in.getString(), "abc");
}

TEST(ArchiveReader, RefusesReadsPastTheEnd)
{
    auto refuses = [](const std::string& bytes, auto read) {
        ArchiveReader in(bytes);
        EXPECT_THROW(read(in), ArchiveFormatError) << bytes.size() << " bytes";
    };
    auto int32 = [](ArchiveReader& in) { return in.getInt32(); };
    auto real = [](ArchiveReader& in) { return in.getDouble(); };
    auto text = [](ArchiveReader& in) { return in.getString(); };
    refuses(bytesOf({1, 2, 3}), int32);
    refuses(bytesOf({1, 2, 3, 4, 5, 6, 7}), real);
    refuses("", text);
    refuses(bytesOf({0xFF, 0x10}), text);
    refuses(bytesOf({0x05}) + "abcd", text);
    refuses(bytesOf({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}) + "short", text);
    // Two bytes per character: never written here, refused when read.
    refuses(bytesOf({0xFF, 0xFE, 0xFF, 0x02}) + "a\0b\0"s, text);
}

TEST(ArchiveNumbers, LittleEndianTwosComplementAndIeeeDouble)
{
    ArchiveWriter out;
    out.putInt32(-2);
    out.putInt32(77);
    out.putDouble(50000);
    out.putDouble(-0.5);
    EXPECT_EQ(out.bytes(), bytesOf({0xFE, 0xFF, 0xFF, 0xFF, 0x4D, 0, 0, 0, 0, 0, 0, 0, 0, 0x6A,
                                    0xE8, 0x40, 0, 0, 0, 0, 0, 0, 0xE0, 0xBF}));
    ArchiveReader in(out.bytes());
    EXPECT_EQ(in.getInt32(), -2);
    EXPECT_EQ(in.getInt32(), 77);
    EXPECT_EQ(in.getDouble(), 50000.0);
    EXPECT_EQ(in.getDouble(), -0.5);
}

TEST(DocumentFile, DefaultDocumentIsTwentyOneBytes)
{
    const std::string bytes = encodeDocument("TQ102665", 50000, noFields());
    EXPECT_EQ(bytes, defaultDocument);
    EXPECT_EQ(bytes.size(), 21u);

    const DocumentContents contents = decodeDocument(defaultDocument);
    EXPECT_EQ(contents.centreText, "TQ102665");
    EXPECT_EQ(contents.radius, 50000.0);
    EXPECT_TRUE(contents.fields.empty());
}

TEST(DocumentFile, NumberFieldRecordBytes)
{
    auto slots = noFields();
    slots[0].name = "Visits";
    slots[0].type = FieldType::Number;
    slots[0].numbers[77] = 3;
    const std::string bytes = encodeDocument("TQ102665", 50000, slots);
    const std::string expected = defaultDocument.substr(0, 17) + bytesOf({1, 0, 0, 0}) +
                                 bytesOf({1, 0, 0, 0}) + "\x06Visits" + bytesOf({1, 0, 0, 0}) +
                                 bytesOf({0x4D, 0, 0, 0}) + bytesOf({3, 0, 0, 0});
    EXPECT_EQ(bytes, expected);

    const DocumentContents contents = decodeDocument(expected);
    ASSERT_EQ(contents.fields.size(), 1u);
    EXPECT_EQ(contents.fields[0].name, "Visits");
    EXPECT_EQ(contents.fields[0].type, FieldType::Number);
    EXPECT_EQ(contents.fields[0].numbers, (TowerValues<std::int32_t>{{77, 3}}));
}

TEST(DocumentFile, NamedSlotsArePackedAndOnlyTheMapOfTheirTypeIsStored)
{
    auto slots = noFields();
    slots[2].name = "Visited";
    slots[2].type = FieldType::Date;
    slots[2].numbers = {{5, 146097}, {3, 1}};
    slots[2].texts = {{5, "lost"}};
    slots[4].numbers = {{9, 9}};  // unnamed: dropped
    slots[5].name = "Notes";
    slots[5].type = FieldType::String;
    slots[5].texts = {{12, std::string(300, 'n')}, {4, ""}};
    slots[5].numbers = {{12, 1}};

    const DocumentContents contents = decodeDocument(encodeDocument("SU123456", 1562.5, slots));
    EXPECT_EQ(contents.centreText, "SU123456");
    EXPECT_EQ(contents.radius, 1562.5);
    ASSERT_EQ(contents.fields.size(), 2u);
    EXPECT_EQ(contents.fields[0].name, "Visited");
    EXPECT_EQ(contents.fields[0].numbers, slots[2].numbers);
    EXPECT_TRUE(contents.fields[0].texts.empty());
    EXPECT_EQ(contents.fields[1].name, "Notes");
    EXPECT_EQ(contents.fields[1].type, FieldType::String);
    EXPECT_EQ(contents.fields[1].texts, slots[5].texts);
    EXPECT_TRUE(contents.fields[1].numbers.empty());
}

TEST(DocumentFile, ValuesAreWrittenInAscendingTowerIdAndALaterDuplicateWins)
{
    auto slots = noFields();
    slots[0].name = "N";
    slots[0].type = FieldType::Number;
    slots[0].numbers = {{300, 1}, {2, 2}};
    const std::string bytes = encodeDocument("", 0, slots);
    // After the header: type, name, count 2, then id 2 before id 300.
    EXPECT_EQ(bytes.substr(bytes.size() - 16, 8), bytesOf({2, 0, 0, 0, 2, 0, 0, 0}));

    const std::string twice = "\x00"s + std::string(8, '\0') + bytesOf({1, 0, 0, 0}) +
                               bytesOf({1, 0, 0, 0}) + "\x01N" + bytesOf({2, 0, 0, 0}) +
                               bytesOf({7, 0, 0, 0, 1, 0, 0, 0}) + bytesOf({7, 0, 0, 0, 9, 0, 0, 0});
    const DocumentContents read = decodeDocument(twice);
    EXPECT_EQ(read.fields[0].numbers, (TowerValues<std::int32_t>{{7, 9}}));
    // The earlier is lost to the next save, and the opening says so.
    EXPECT_EQ(read.repeatedValues, 1);
    ReattachmentReport report;
    report.repeatedValues = read.repeatedValues;
    EXPECT_EQ(reattachmentText(report), "1 value is given again for a tower in one field, which holds one value a "
                                        "tower: the later is kept, and the earlier is left out when the document "
                                        "is saved.\n");
}

TEST(DocumentFile, CorruptFilesAreRefused)
{
    const std::string header = defaultDocument.substr(0, 17);
    auto withCount = [&](int count) {
        const auto bits = static_cast<unsigned>(count);
        return header + bytesOf({bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF, bits >> 24});
    };
    const std::string oneField = withCount(1) + bytesOf({1, 0, 0, 0}) + "\x01N" +
                                 bytesOf({1, 0, 0, 0}) + bytesOf({7, 0, 0, 0, 9, 0, 0, 0});
    ASSERT_NO_THROW(decodeDocument(oneField));
    // Without a name but with no values, a field hides nothing.
    ASSERT_NO_THROW(decodeDocument(withCount(1) + bytesOf({1, 0, 0, 0}) + "\x00"s + bytesOf({0, 0, 0, 0})));

    const std::string bad[] = {
        "",
        defaultDocument.substr(0, 20),                  // ends inside the field count
        oneField.substr(0, oneField.size() - 1),        // ends inside a value
        withCount(11),
        withCount(-1),
        withCount(1) + bytesOf({3, 0, 0, 0}) + "\x01N" + bytesOf({0, 0, 0, 0}),
        withCount(1) + bytesOf({0xFF, 0xFF, 0xFF, 0xFF}) + "\x01N" + bytesOf({0, 0, 0, 0}),
        withCount(1) + bytesOf({1, 0, 0, 0}) + "\x01N" + bytesOf({0xFF, 0xFF, 0xFF, 0xFF}),
        // a value count far beyond the bytes left
        withCount(1) + bytesOf({2, 0, 0, 0}) + "\x01N" + bytesOf({0xFF, 0xFF, 0xFF, 0x7F}),
        "\xFF\xFE\xFF\x02"s + "T\0Q\0"s + std::string(12, '\0'),
        "\x09TQ102665",                                  // the centre is longer than the file
        // values for tower numbers no directory holds
        withCount(1) + bytesOf({1, 0, 0, 0}) + "\x01N" + bytesOf({1, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0}),
        withCount(1) + bytesOf({1, 0, 0, 0}) + "\x01N" + bytesOf({1, 0, 0, 0, 0x40, 0x9C, 0, 0, 9, 0, 0, 0}),
        // a field without a name, whose values no list would show and a save would leave out
        withCount(1) + bytesOf({1, 0, 0, 0}) + "\x00"s + bytesOf({1, 0, 0, 0, 7, 0, 0, 0, 9, 0, 0, 0}),
        // a radius that is not a number, or negative
        "\x00"s + bytesOf({0, 0, 0, 0, 0, 0, 0xF8, 0x7F, 0, 0, 0, 0}),
        "\x00"s + bytesOf({0, 0, 0, 0, 0, 0, 0xF0, 0xBF, 0, 0, 0, 0}),
        // bytes after the fields that are not a whole record of the towers the values belong to:
        // the values could land on other towers
        defaultDocument + "trailing",
        oneField + "\x14" + "Belfrix tower own",
        oneField + "\x14" + "Belfrix tower ownerX",
    };
    for (const std::string& bytes : bad)
        EXPECT_THROW(decodeDocument(bytes), ArchiveFormatError) << bytes.size() << " bytes";
}

}  // namespace
