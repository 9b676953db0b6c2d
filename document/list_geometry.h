#pragma once

#include <cstdint>

// The tower list's arithmetic. The list is drawn in lines of lineHeight pixels; its scroll extent
// holds at most maxMappedLines lines (32760 pixels, just inside a 16-bit scroll range), and a
// longer list is mapped onto that extent by shifting the display position of line 0 (topIndex)
// as the user scrolls. All divisions truncate toward zero, products first.

inline constexpr std::int32_t lineHeight = 18;
inline constexpr std::int32_t maxMappedLines = 1820;

struct ListLayout {
    std::int32_t lineCount = 1;    // the displayed towers, at least 1
    std::int32_t mappedLines = 1;  // the lines of the extent, at most maxMappedLines
    std::int32_t extentWidth = 100;
    std::int32_t extentHeight = lineHeight;
    // Vertical scroll steps in pixels: about two lines and half a window of the whole list,
    // shrunk in the ratio mappedLines : lineCount when the list is capped.
    std::int32_t lineStep = 2 * lineHeight;
    std::int32_t pageStep = 0;
    std::int32_t horizontalLineStep = 1;
    std::int32_t horizontalPageStep = 10;

    bool capped() const { return lineCount > mappedLines; }

    friend bool operator==(const ListLayout&, const ListLayout&) = default;
};

ListLayout listLayout(std::int32_t displayedTowers, std::int32_t clientHeight);

// The display position on line 0 of the extent at a vertical scroll position (pixels):
// (lineCount - mappedLines) p div (32767 - h - lineStep), 0 for a list that is not capped. At the
// last scroll position it is lineCount - mappedLines, so that the last tower shows on the bottom
// line even where the division falls short of it.
std::int32_t topIndex(const ListLayout& layout, std::int32_t scrollPosition, std::int32_t clientHeight);

// The scroll position (pixels) nearest to scrollPosition at which the line of a display position
// lies whole in a window clientHeight pixels high: scrollPosition itself when it does already,
// else the first one that brings the line up to the bottom of the window, or the last one that
// brings it down to the top. In a capped list every pixel scrolled also shifts the topIndex.
std::int32_t scrollPositionShowing(const ListLayout& layout, std::int32_t displayPosition,
                                   std::int32_t scrollPosition, std::int32_t clientHeight);

// The display position of the line under a point of the extent, y in pixels from its top.
std::int32_t displayPositionAt(std::int32_t extentY, std::int32_t topIndex);

// The lines of the extent that meet the pixel rows from top to bottom (inclusive), as the first
// line and one past the last; only these need painting.
struct LineRange {
    std::int32_t first = 0;
    std::int32_t end = 0;

    friend bool operator==(const LineRange&, const LineRange&) = default;
};
LineRange linesMeeting(const ListLayout& layout, std::int32_t top, std::int32_t bottom);


