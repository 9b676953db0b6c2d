#include "document/list_geometry.h"

#include <algorithm>

namespace {

// The largest position of the platform's 16-bit scroll bars.
constexpr std::int64_t largestScrollPosition = 32767;

// The first number from `from` to `to` for which `holds` is false, or to + 1 when there is
// none; `holds` is true up to some number and false from there on.
template <typename Holds>
std::int32_t firstNotHolding(std::int32_t from, std::int32_t to, Holds holds)
{
    std::int32_t low = from;
    std::int32_t high = to + 1;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (holds(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

}  // namespace

ListLayout listLayout(std::int32_t displayedTowers, std::int32_t clientHeight)
{
    ListLayout layout;
    layout.lineCount = std::max(displayedTowers, 1);
    layout.mappedLines = std::min(layout.lineCount, maxMappedLines);
    layout.extentHeight = lineHeight * layout.mappedLines;
    const std::int64_t lines = layout.mappedLines;
    const std::int64_t count = layout.lineCount;
    layout.pageStep = static_cast<std::int32_t>(std::int64_t{clientHeight / 2} * lines / count);
    layout.lineStep = static_cast<std::int32_t>(2 * lineHeight * lines / count);
    return layout;
}

std::int32_t topIndex(const ListLayout& layout, std::int32_t scrollPosition, std::int32_t clientHeight)
{
    if (!layout.capped()) return 0;
    const std::int64_t hidden = layout.lineCount - layout.mappedLines;
    const std::int32_t lastPosition = layout.extentHeight - clientHeight;
    if (lastPosition > 0 && scrollPosition >= lastPosition) return static_cast<std::int32_t>(hidden);
    const std::int64_t divisor = largestScrollPosition - clientHeight - layout.lineStep;
    if (divisor <= 0 || scrollPosition <= 0) return 0;
    return static_cast<std::int32_t>(std::min(hidden, hidden * scrollPosition / divisor));
}

std::int32_t scrollPositionShowing(const ListLayout& layout, std::int32_t displayPosition,
                                   std::int32_t scrollPosition, std::int32_t clientHeight)
{
    const std::int32_t last = std::max(layout.extentHeight - clientHeight, 0);
    const std::int32_t now = std::clamp(scrollPosition, 0, last);
    const std::int64_t bottomLineTop = std::max(clientHeight - lineHeight, 0);
    // The top of the line in the window, which falls as the scroll position grows, since
    // topIndex never does.
    const auto lineTop = [&](std::int32_t position) {
        const std::int64_t line = displayPosition - topIndex(layout, position, clientHeight);
        return line * lineHeight - position;
    };
    const std::int64_t top = lineTop(now);
    if (top > bottomLineTop) {
        const std::int32_t up = firstNotHolding(now, last, [&](std::int32_t p) { return lineTop(p) > bottomLineTop; });
        return std::min(up, last);
    }
    if (top < 0) {
        const std::int32_t past = firstNotHolding(0, now, [&](std::int32_t p) { return lineTop(p) >= 0; });
        return std::max(past - 1, 0);
    }
    return now;
}

std::int32_t displayPositionAt(std::int32_t extentY, std::int32_t top)
{
    return extentY / lineHeight + top;
}

LineRange linesMeeting(const ListLayout& layout, std::int32_t top, std::int32_t bottom)
{
    const std::int32_t first = std::clamp(top / lineHeight, 0, layout.mappedLines);
    const std::int32_t end = std::clamp(bottom / lineHeight + 1, first, layout.mappedLines);
    return {first, end};
}

