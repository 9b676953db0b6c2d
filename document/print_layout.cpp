#include "document/print_layout.h"

#include <algorithm>

namespace {

// The most bytes at the start of the text that fit the room, widths taken to grow with the bytes:
// found by doubling, then halving, so that a long text is measured only about as far as a line of
// it reaches. The first try takes in the whole of most lines, which then take one measuring.
std::size_t fittingBytes(std::string_view text, int room, const std::function<int(std::string_view)>& measure)
{
    constexpr std::size_t firstTry = 256;
    std::size_t fits = 0;
    std::size_t tooMany = 0;
    for (std::size_t tried = firstTry;; tried *= 2) {
        const std::size_t length = std::min(tried, text.size());
        if (measure(text.substr(0, length)) > room) {
            tooMany = length;
            break;
        }
        fits = length;
        if (length == text.size()) return fits;
    }
    while (tooMany > fits + 1) {
        const std::size_t middle = fits + (tooMany - fits) / 2;
        (measure(text.substr(0, middle)) <= room ? fits : tooMany) = middle;
    }
    return fits;
}

}  // namespace

std::vector<std::string> wrapLine(std::string_view line, int width, int indent,
                                  const std::function<int(std::string_view)>& measure)
{
    std::vector<std::string> pieces;
    std::string_view rest = line;
    for (;;) {
        const int room = pieces.empty() ? width : width - indent;
        const std::size_t fits = fittingBytes(rest, room, measure);
        if (fits == rest.size()) break;
        // The longest start that fits and ends before a blank; without one, as many bytes as fit,
        // at least one.
        std::size_t cut = rest.rfind(' ', fits);
        std::size_t skip = 1;
        if (cut == std::string_view::npos || cut == 0) {
            cut = std::max<std::size_t>(fits, 1);
            skip = 0;
        }
        pieces.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(std::min(rest.size(), cut + skip));
        // Where a continuation has no room at all, nothing is left to fit it.
        if (rest.empty()) return pieces;
    }
    pieces.emplace_back(rest);
    return pieces;
}

std::vector<std::int32_t> pageStarts(const std::vector<std::int32_t>& linesOfTowers, std::int32_t linesPerPage)
{
    const std::int32_t perPage = std::max(linesPerPage, 1);
    std::vector<std::int32_t> starts{0};
    std::int32_t line = 0;
    std::int32_t usedOnPage = 0;
    for (const std::int32_t lines : linesOfTowers) {
        if (usedOnPage > 0 && usedOnPage + lines > perPage) {
            starts.push_back(line);
            usedOnPage = 0;
        }
        // A tower longer than a page runs on over pages of its own.
        for (std::int32_t left = lines, at = line; left > perPage; left -= perPage) {
            at += perPage;
            starts.push_back(at);
        }
        line += lines;
        usedOnPage = (usedOnPage + lines - 1) % perPage + 1;
    }
    return starts;
}

std::optional<std::string> marginsRefusal(const PaperMargins& page)
{
    constexpr int smallestWidth = 50;
    constexpr int smallestHeight = 20;
    // Without a paper chosen the margins are held against A4, the common default.
    const bool paperKnown = page.paperWidth > 0 && page.paperHeight > 0;
    const int paperWidth = paperKnown ? page.paperWidth : 210;
    const int paperHeight = paperKnown ? page.paperHeight : 297;
    const int width = paperWidth - page.left - page.right;
    const int height = paperHeight - page.top - page.bottom;
    if (width >= smallestWidth && height >= smallestHeight) return std::nullopt;
    const auto size = [](int across, int down) { return std::to_string(across) + " by " + std::to_string(down) + " mm"; };
    const std::string paper = paperKnown ? "the " + size(paperWidth, paperHeight) + " page"
                                         : "an A4 page, " + size(paperWidth, paperHeight) + ", as no paper is chosen";
    return "These margins leave " + size(std::max(width, 0), std::max(height, 0)) + " of " + paper +
           ", and the list needs at least " + size(smallestWidth, smallestHeight) +
           ". Please enter margins that leave that much, or Cancel to keep the earlier page setup.";
}
