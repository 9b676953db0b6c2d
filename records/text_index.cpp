#include "records/text_index.h"

#include <cstring>

std::uint64_t TextIndex::hash(std::string_view text)
{
    // Eight bytes at a time, each word folded in by a multiply that spreads it over all the bits.
    constexpr std::uint64_t spread = 0xFF51AFD7ED558CCDull;
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
    std::size_t at = 0;
    for (; text.size() - at >= 8; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        h = (h ^ word) * spread;
        h ^= h >> 32;
    }
    std::uint64_t rest = 0;
    for (; at < text.size(); ++at) rest = rest << 8 | static_cast<unsigned char>(text[at]);
    h = (h ^ rest) * spread;
    return h ^ h >> 29;
}

TextIndex::Entry& TextIndex::slotFor(std::string_view text)
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash(text) & mask;; at = (at + 1) & mask) {
        Entry& slot = slots_[at];
        if (slot.text.data() == nullptr || slot.text == text) return slot;
    }
}

TextIndex::Entry* TextIndex::find(std::string_view text)
{
    if (slots_.empty()) return nullptr;
    Entry& slot = slotFor(text);
    return slot.text.data() == nullptr ? nullptr : &slot;
}

void TextIndex::insert(std::string_view text, std::int32_t number)
{
    if (2 * (count_ + 1) > slots_.size()) grow();
    slotFor(text) = {text, number};
    ++count_;
}

void TextIndex::grow()
{
    decltype(slots_) old(slots_.empty() ? 16 : 2 * slots_.size());
    old.swap(slots_);
    for (const Entry& slot : old)
        if (slot.text.data() != nullptr) slotFor(slot.text) = slot;
}
