#include "records/string_table.h"

#include "records/limit_reached.h"
#include "records/tower.h"

namespace {
const std::string noText;
}

std::int32_t StringTable::add(std::string_view text, IndexDraw& draw)
{
    if (text.empty()) return 0;
    if (const auto found = byText_.find(text); found != byText_.end()) return found->second;
    // With every index taken the draw below would never end.
    if (byIndex_.size() >= static_cast<std::size_t>(maxTowerId))
        throw LimitReached("all 32767 indexes of the table are taken");
    std::int32_t index = draw.drawIndex();
    while (taken_.test(index)) index = draw.drawIndex();
    taken_.set(index);
    byIndex_.emplace(index, text);
    byText_.emplace(text, index);
    return index;
}

const std::string& StringTable::text(std::int32_t index) const
{
    const auto found = byIndex_.find(index);
    return found == byIndex_.end() ? noText : found->second;
}

void StringTable::write(TagWriter& writer) const
{
    for (const auto& [index, text] : byIndex_) {
        writer.putNumber('k', index);
        writer.putText('s', text);
    }
    writer.putEnd();
}

void StringTable::read(TagReader& reader)
{
    std::int32_t index = 0;
    for (;;) {
        const int tag = reader.nextItem();
        if (tag == TagReader::endMarker) return;
        if (tag == 'k') {
            index = reader.value();
        } else if (tag == 's') {
            // Only what the table can hold: an index in 1 to 32767 and a text that is not
            // empty. An s item before any k item has index 0 and is skipped with the rest.
            const std::string& text = reader.text();
            if (index < 1 || index > maxTowerId || text.empty()) continue;
            if (byIndex_.try_emplace(index, text).second)  // the first text under an index stays
                taken_.set(index);
            byText_.insert_or_assign(text, index);  // a repeated text takes the newer index
        }
    }
}
