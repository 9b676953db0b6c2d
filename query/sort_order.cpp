// Sorting the displayed towers by towerLess, made cheap: each tower's three key values are worked
// out once and packed into 64-bit words whose unsigned order is the key's order, direction
// included, so most comparisons never leave the sort's own array.
//
//  - county and dedication: the rank of the text among its table's texts (0 for no text);
//  - numbers (all of them exact in a double, the squared distance a double itself): the double's
//    bits, flipped so that unsigned order is numeric order;
//  - other texts (place, a user String field): the first 8 bytes, big-endian and padded with
//    zeros, so that unsigned order of the words is byte order of the texts as far as they go;
//    equal words fall back to the next 8 bytes, packed alike beside the array, and equal ones
//    of those to comparing the whole texts.
// A descending key stores the complement of each word and reverses the fallback.
#include "query/sort_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "query/sort_values.h"
#include "query/sorting.h"
#include "query/tower_database.h"

namespace {

enum class Packing { None, Rank, Number, TextPrefix };

std::uint64_t numberWord(double value)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value + 0.0);  // -0 becomes +0
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

std::uint64_t prefixWord(std::string_view text)
{
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        word <<= 8;
        if (i < text.size()) word |= static_cast<unsigned char>(text[i]);
    }
    return word;
}

// Rank of each table index's text in byte order. Index 0, an index without a text and any
// index holding the empty text rank 0; equal texts rank alike.
std::vector<std::uint32_t> textRanks(const StringTable& table)
{
    std::vector<std::pair<std::string_view, std::int32_t>> byText;
    table.forEachEntry([&byText](std::int32_t index, const std::string& text) { byText.emplace_back(text, index); });
    std::sort(byText.begin(), byText.end());
    std::vector<std::uint32_t> ranks(maxTowerId + 1, 0);
    std::uint32_t rank = 0;
    std::string_view previous;
    for (const auto& [text, index] : byText) {
        if (text != previous) ++rank;
        previous = text;
        if (index >= 0 && index <= maxTowerId) ranks[index] = rank;
    }
    return ranks;
}

std::uint32_t rankOf(const std::vector<std::uint32_t>& ranks, std::int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < ranks.size() ? ranks[index] : 0;
}

struct PackedKey {
    std::array<std::uint64_t, 3> words{};
    std::uint32_t position = 0;  // into the towers given, for the fallback texts
};

}  // namespace

std::vector<TowerId> sortedTowerIds(const TowerDatabase& database, const UserFields& fields,
                                    const std::vector<const Tower*>& towers)
{
    std::array<Packing, 3> packing{};
    std::array<bool, 3> descending{};
    std::array<std::vector<std::uint32_t>, 3> ranks;
    std::vector<SortValueReader> readers;
    std::size_t keyCount = 0;
    for (const SortKey& key : database.sortKeys) {
        SortValueReader reader(database, fields, key);
        if (reader.kind() == SortValueKind::None) continue;
        if (!key.userField && key.field == sortCounty) {
            packing[keyCount] = Packing::Rank;
            ranks[keyCount] = textRanks(database.counties());
        } else if (!key.userField && key.field == sortDedication) {
            packing[keyCount] = Packing::Rank;
            ranks[keyCount] = textRanks(database.dedications());
        } else {
            packing[keyCount] =
                reader.kind() == SortValueKind::Text ? Packing::TextPrefix : Packing::Number;
        }
        descending[keyCount] = key.descending;
        readers.push_back(reader);
        ++keyCount;
    }

    std::vector<PackedKey> packed(towers.size());
    // The texts of the keys packed by their first 8 bytes and their next 8 bytes, for the
    // comparisons beyond the first.
    std::array<std::vector<std::string_view>, 3> texts;
    std::array<std::vector<std::uint64_t>, 3> nextWords;
    for (std::size_t k = 0; k < keyCount; ++k) {
        if (packing[k] != Packing::TextPrefix) continue;
        texts[k].resize(towers.size());
        nextWords[k].resize(towers.size());
    }
    for (std::size_t i = 0; i < towers.size(); ++i) {
        const Tower& tower = *towers[i];
        packed[i].position = static_cast<std::uint32_t>(i);
        for (std::size_t k = 0; k < keyCount; ++k) {
            std::uint64_t word = 0;
            switch (packing[k]) {
            case Packing::Rank:
                word = rankOf(ranks[k], readers[k].key().field == sortCounty ? tower.county
                                                                               : tower.dedication);
                break;
            case Packing::Number: word = numberWord(readers[k].read(tower).number); break;
            case Packing::TextPrefix:
                texts[k][i] = readers[k].read(tower).text;
                word = prefixWord(texts[k][i]);
                nextWords[k][i] = prefixWord(texts[k][i].substr(std::min<std::size_t>(8, texts[k][i].size())));
                break;
            case Packing::None: break;
            }
            packed[i].words[k] = descending[k] ? ~word : word;
        }
    }

    std::stable_sort(packed.begin(), packed.end(), [&](const PackedKey& a, const PackedKey& b) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            if (a.words[k] != b.words[k]) return a.words[k] < b.words[k];
            if (packing[k] == Packing::TextPrefix) {
                const std::uint64_t aNext = nextWords[k][a.position];
                const std::uint64_t bNext = nextWords[k][b.position];
                if (aNext != bNext) return descending[k] ? aNext > bNext : aNext < bNext;
                int order = texts[k][a.position].compare(texts[k][b.position]);
                if (order != 0) return descending[k] ? order > 0 : order < 0;
            }
        }
        return false;
    });

    std::vector<TowerId> ids;
    ids.reserve(packed.size());
    for (const PackedKey& key : packed) ids.push_back(towers[key.position]->id);
    return ids;
}
