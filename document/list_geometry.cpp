#include "document/list_geometry.h"

#include <algorithm>

namespace {

// The largest position of the platform's 16-bit scroll bars.
constexpr std::int64_t largestScrollPosition = 32767;

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

