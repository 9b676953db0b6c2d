#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The printed list: each tower's line no wider than the page, and every tower whole on a page.

// A line as it is printed within `width` pixels: the longest pieces that fit, broken at blanks
// (the blank at a break is dropped) or, for a word wider than a whole line, inside it; every piece
// after the first is indented by `indent` pixels and has that much less room. `measure` gives the
// width of a text in pixels. Gives at least one piece.
std::vector<std::string> wrapLine(std::string_view line, int width, int indent,
                                  const std::function<int(std::string_view)>& measure);

// The first printed line of each page, counted over the lines of every tower in order, for towers
// of these many lines each and this many lines to a page. A tower that fits a page is never split
// between two; one longer than a page starts a page of its own. At least one page.
std::vector<std::int32_t> pageStarts(const std::vector<std::int32_t>& linesOfTowers, std::int32_t linesPerPage);

// Why margins (in millimetres) cannot be kept for a paper of this size: they must leave the list
// at least 50 mm of width and 20 mm of height. None when they can. A paper of unknown size (0)
// is taken as A4.
struct PaperMargins {
    int paperWidth = 0;
    int paperHeight = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
std::optional<std::string> marginsRefusal(const PaperMargins& page);
