// Sorting the displayed towers by towerLess, made cheap: each tower's three key values are worked
// out once and packed into 64-bit words whose unsigned order is the key's order, direction
// included, so most comparisons never look at a tower again.
//
//  - county and dedication: the rank of the text among its table's texts (0 for no text);
//  - numbers (all of them exact in a double, the squared distance a double itself): the double's
//    bits, flipped so that unsigned order is numeric order;
//  - other texts (place, a user String field): the first 8 bytes, big-endian and padded with
//    zeros, so that unsigned order of the words is byte order of the texts as far as they go;
//    equal words fall back to the next 8 bytes, packed alike beside the array, and equal ones
//    of those to comparing the whole texts.
// A descending key stores the complement of each word and reverses the comparison of texts.
//
// The towers are put in the order of the keys' words by radix sorts, which keep the given order
// among equal words. Only a run of towers alike in a text's first word whose texts still differ
// is then sorted by comparing the next words and the whole texts.
#include "query/sort_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

#include "query/sort_values.h"
#include "query/sorting.h"
#include "query/tower_database.h"
#include "records/page_memory.h"

namespace {

enum class Packing { None, Rank, Number, TextPrefix };

template <typename T>
using PresentArray = std::vector<T, PresentAllocator<T>>;

std::uint64_t numberWord(double value)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value + 0.0);  // -0 becomes +0
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

std::uint64_t prefixWord(std::string_view text)
{
    std::array<char, 8> bytes{};
    std::copy_n(text.begin(), std::min(bytes.size(), text.size()), bytes.begin());
    const auto word = std::bit_cast<std::uint64_t>(bytes);
    return std::endian::native == std::endian::little ? __builtin_bswap64(word) : word;
}

// Rank of each table index's text in byte order. Index 0, an index without a text and any
// index holding the empty text rank 0; equal texts rank alike.
PresentArray<std::uint32_t> textRanks(const StringTable& table)
{
    std::vector<std::pair<std::string_view, std::int32_t>> byText;
    table.forEachEntry([&byText](std::int32_t index, std::string_view text) { byText.emplace_back(text, index); });
    std::sort(byText.begin(), byText.end());
    PresentArray<std::uint32_t> ranks(maxTowerId + 1, 0);
    std::uint32_t rank = 0;
    std::string_view previous;
    for (const auto& [text, index] : byText) {
        if (text != previous) ++rank;
        previous = text;
        if (index >= 0 && index <= maxTowerId) ranks[index] = rank;
    }
    return ranks;
}

std::uint32_t rankOf(const PresentArray<std::uint32_t>& ranks, std::int32_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < ranks.size() ? ranks[index] : 0;
}

// Two texts whose two words are equal: texts of one length up to 16 bytes are then equal.
bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && (a.size() <= 16 || a == b);
}

// A word and the place it belongs to, moved together so that each pass of a sort reads its
// words in order.
struct Keyed {
    std::uint64_t word;
    std::uint32_t position;
};

// Stable radix sort of the positions by the words at them, a byte at a time from the lowest.
// Bytes that all the words share take no pass; one sweep counts the values of the others.
// `keyed` and `spare` are room for as many entries.
void radixSort(PresentArray<std::uint32_t>& order, const PresentArray<std::uint64_t>& words,
               PresentArray<Keyed>& keyed, PresentArray<Keyed>& spare)
{
    std::uint64_t anyBits = 0;
    std::uint64_t allBits = ~std::uint64_t{0};
    for (const std::uint64_t word : words) {
        anyBits |= word;
        allBits &= word;
    }
    std::array<int, 8> shifts{};
    std::size_t passes = 0;
    for (int shift = 0; shift < 64; shift += 8)
        if (((anyBits ^ allBits) >> shift & 0xFF) != 0) shifts[passes++] = shift;
    if (passes == 0) return;

    std::array<std::array<std::uint32_t, 256>, 8> starts{};
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::uint64_t word = words[order[i]];
        keyed[i] = {word, order[i]};
        for (std::size_t pass = 0; pass < passes; ++pass) ++starts[pass][word >> shifts[pass] & 0xFF];
    }
    for (std::size_t pass = 0; pass < passes; ++pass) {
        std::array<std::uint32_t, 256>& start = starts[pass];
        std::uint32_t sum = 0;
        for (std::uint32_t& values : start) sum += std::exchange(values, sum);
        for (const Keyed& entry : keyed) spare[start[entry.word >> shifts[pass] & 0xFF]++] = entry;
        keyed.swap(spare);
    }
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = keyed[i].position;
}

}  // namespace

TowerIds sortedTowerIds(const TowerDatabase& database, const UserFields& fields,
                                    std::span<const Tower* const> towers)
{
    std::array<Packing, 3> packing{};
    std::array<bool, 3> descending{};
    std::array<PresentArray<std::uint32_t>, 3> ranks;
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

    // By place among the towers given: each key's word and, for the keys packed by their first
    // 8 bytes, the word of the next 8 bytes and the whole text.
    const std::size_t count = towers.size();
    std::array<PresentArray<std::uint64_t>, 3> words;
    std::array<PresentArray<std::uint64_t>, 3> nextWords;
    std::array<PresentArray<std::string_view>, 3> texts;
    for (std::size_t k = 0; k < keyCount; ++k) {
        words[k].resize(count);
        if (packing[k] != Packing::TextPrefix) continue;
        nextWords[k].resize(count);
        texts[k].resize(count);
    }
    std::array<std::uint64_t, 3> flips{};
    for (std::size_t k = 0; k < keyCount; ++k) flips[k] = descending[k] ? ~std::uint64_t{0} : 0;
    PresentArray<TowerId> ids(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Tower& tower = *towers[i];
        ids[i] = tower.id;
        for (std::size_t k = 0; k < keyCount; ++k) {
            std::uint64_t word = 0;
            switch (packing[k]) {
            case Packing::Rank:
                word = rankOf(ranks[k], readers[k].key().field == sortCounty ? tower.county : tower.dedication);
                break;
            case Packing::Number: word = numberWord(readers[k].read(tower).number); break;
            case Packing::TextPrefix: {
                const std::string_view text = readers[k].read(tower).text;
                texts[k][i] = text;
                word = prefixWord(text);
                nextWords[k][i] = text.size() > 8 ? prefixWord(text.substr(8)) ^ flips[k] : flips[k];
                break;
            }
            case Packing::None: break;
            }
            words[k][i] = word ^ flips[k];
        }
    }

    // The least significant words first, so that the last sort leaves the order of every word.
    PresentArray<std::uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);
    PresentArray<Keyed> keyed(count);
    PresentArray<Keyed> spare(count);
    for (std::size_t k = keyCount; k-- > 0;) radixSort(order, words[k], keyed, spare);

    // Towers alike in a text's first word can still differ beyond its first 8 bytes, and then the
    // words of the keys after it do not decide their order: such a run, whose towers are alike on
    // every key before, is sorted by comparing the whole keys.
    const auto less = [&](std::uint32_t a, std::uint32_t b) {
        for (std::size_t k = 0; k < keyCount; ++k) {
            if (words[k][a] != words[k][b]) return words[k][a] < words[k][b];
            if (packing[k] != Packing::TextPrefix) continue;
            if (nextWords[k][a] != nextWords[k][b]) return nextWords[k][a] < nextWords[k][b];
            if (sameText(texts[k][a], texts[k][b])) continue;
            const int byText = texts[k][a].compare(texts[k][b]);
            if (byText != 0) return descending[k] ? byText > 0 : byText < 0;
        }
        return a < b;  // equal towers keep the order they were given in
    };
    // Puts right the towers from first to end, which are alike on the keys before key k.
    const auto putRight = [&](auto& self, std::size_t first, std::size_t end, std::size_t k) -> void {
        if (k == keyCount || end - first < 2) return;
        const bool text = packing[k] == Packing::TextPrefix;
        for (std::size_t runEnd = first; first < end; first = runEnd) {
            const std::uint32_t head = order[first];
            bool textsDiffer = false;
            for (runEnd = first + 1; runEnd < end; ++runEnd) {
                const std::uint32_t next = order[runEnd];
                if (words[k][next] != words[k][head]) break;
                textsDiffer = textsDiffer
                              || (text && (nextWords[k][next] != nextWords[k][head]
                                           || !sameText(texts[k][next], texts[k][head])));
            }
            if (textsDiffer)
                std::sort(order.begin() + static_cast<std::ptrdiff_t>(first),
                          order.begin() + static_cast<std::ptrdiff_t>(runEnd), less);
            else
                self(self, first, runEnd, k + 1);
        }
    };
    putRight(putRight, 0, count, 0);

    TowerIds sorted(count);
    for (std::size_t i = 0; i < count; ++i) sorted[i] = ids[order[i]];
    return sorted;
}
