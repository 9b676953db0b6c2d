#include "records/string_table.h"

#include "records/limit_reached.h"
#include "records/tower.h"

void StringTable::store(std::int32_t index, std::string_view text)
{
    // Room for every index at once: indexes are drawn at random, so the largest comes early.
    if (placeOfIndex_.empty()) placeOfIndex_.assign(maxTowerId + 1, -1);
    placeOfIndex_[index] = static_cast<std::int16_t>(texts_.size());
    texts_.push_back(arena_->keep(text));
}

bool operator==(const StringTable& a, const StringTable& b)
{
    if (a.size() != b.size()) return false;
    bool same = true;
    a.forEachEntry([&](std::int32_t index, std::string_view text) {
        same = same && b.text(index) == text;
    });
    return same;
}

std::int32_t StringTable::add(std::string_view text, IndexDraw& draw)
{
    if (text.empty()) return 0;
    if (lastIndex_ != 0 && text == lastAdded_) return lastIndex_;
    if (const TextIndex::Entry* found = byText_.find(text)) {
        lastAdded_ = found->text;
        lastIndex_ = found->number;
        return lastIndex_;
    }
    // With every index taken the draw below would never end.
    if (size() >= maxTowerId) {
        if (holds_.empty()) throw LimitReached("all 32767 indexes of the table are taken");
        throw LimitReached("the " + holds_ + " table is full: all 32767 of its indexes are taken");
    }
    std::int32_t index = draw.drawIndex();
    while (!this->text(index).empty()) index = draw.drawIndex();
    store(index, text);
    lastAdded_ = texts_.back();
    lastIndex_ = index;
    byText_.insert(lastAdded_, index);
    return index;
}

void StringTable::write(TagWriter& writer) const
{
    forEachEntry([&writer](std::int32_t index, std::string_view text) {
        writer.putNumber('k', index);
        writer.putText('s', text);
    });
    writer.putEnd();
}

void StringTable::read(TagReader& reader)
{
    lastIndex_ = 0;  // a repeated text may take a newer index below
    std::int32_t index = 0;
    for (;;) {
        const int tag = reader.nextItem();
        if (tag == TagReader::endMarker) return;
        if (tag == 'k') {
            index = reader.value();
        } else if (tag == 's') {
            // Only what the table can hold: an index in 1 to 32767 and a text that is not
            // empty. An s item before any k item has index 0 and is skipped with the rest.
            const std::string_view text = reader.text();
            if (index < 1 || index > maxTowerId || text.empty()) continue;
            // The first text under an index stays; a repeated text takes the newer index.
            if (TextIndex::Entry* found = byText_.find(text)) {
                found->number = index;
                if (this->text(index).empty()) store(index, found->text);
                continue;
            }
            if (this->text(index).empty()) {
                store(index, text);
                byText_.insert(texts_.back(), index);
            } else {
                byText_.insert(arena_->keep(text), index);
            }
        }
    }
}
