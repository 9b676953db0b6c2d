#include "document/dialog_layout.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Each round grows the unit of the axis at fault by this much; the rounds end long before a
// dialog would outgrow any screen.
constexpr double growth = 1.03;
constexpr int mostRounds = 120;
// Templates drawn for borders that overlap let neighbours in a row share a unit or two.
constexpr int sharedUnits = 2;
// Pixels between a group box's frame and the controls inside it, beyond its own border.
constexpr int groupPadding = 4;

enum class Axis { Across, Down };

bool isGroup(const LayoutItem& item) { return item.role == LayoutRole::Group; }

// A control lies in the group box whose template rectangle holds its top left corner: a combo
// box's rectangle reaches down over its dropped-down list, far below the control itself.
bool holds(const DialogRect& outer, const DialogRect& inner)
{
    return inner.left > outer.left && inner.left < outer.left + outer.width && inner.top > outer.top &&
           inner.top < outer.top + outer.height;
}

// The template with neighbours that share a unit or two, side by side or one above the other,
// made to meet instead: the first is cut back to where the second begins.
std::vector<DialogRect> meetingNeighbours(const std::vector<LayoutItem>& items)
{
    std::vector<DialogRect> rects;
    for (const LayoutItem& item : items) rects.push_back(item.rect);
    const auto shared = [](int firstStart, int firstLength, int secondStart, int secondLength) {
        return std::min(firstStart + firstLength, secondStart + secondLength) - std::max(firstStart, secondStart);
    };
    for (std::size_t a = 0; a < rects.size(); ++a) {
        for (std::size_t b = 0; b < rects.size(); ++b) {
            if (a == b || isGroup(items[a]) || isGroup(items[b])) continue;
            DialogRect& first = rects[a];
            const DialogRect& second = rects[b];
            const int across = shared(first.left, first.width, second.left, second.width);
            const bool measuredDown = items[a].role != LayoutRole::NaturalHeight && items[b].role != LayoutRole::NaturalHeight;
            const int down = measuredDown ? shared(first.top, first.height, second.top, second.height) : across + 1;
            if (across <= 0 || down <= 0) continue;
            if (down <= sharedUnits && down < across && first.top < second.top)
                first.height -= down;
            else if (across <= sharedUnits && across < down && first.left < second.left)
                first.width -= across;
        }
    }
    return rects;
}

class Layout {
public:
    Layout(const std::vector<LayoutItem>& items, int margin)
        : items_(items), rects_(meetingNeighbours(items)), margin_(margin)
    {
        for (std::size_t g = 0; g < items_.size(); ++g) {
            if (!isGroup(items_[g])) continue;
            for (std::size_t m = 0; m < items_.size(); ++m) {
                if (m == g || !holds(rects_[g], rects_[m])) continue;
                members_.emplace_back(g, m);
                // What a template lets reach past its group's edge is drawn to end at it.
                DialogRect& member = rects_[m];
                member.width = std::min(member.width, rects_[g].left + rects_[g].width - member.left);
                if (items_[m].role != LayoutRole::NaturalHeight)
                    member.height = std::min(member.height, rects_[g].top + rects_[g].height - member.top);
            }
        }
    }

    // Where the template puts an item at these units, before it is given its best size.
    PixelRect scaled(std::size_t i, double unitWidth, double unitHeight) const
    {
        const DialogRect& rect = rects_[i];
        PixelRect pixels;
        pixels.x = margin_ + static_cast<int>(std::lround(rect.left * unitWidth));
        pixels.y = margin_ + static_cast<int>(std::lround(rect.top * unitHeight));
        pixels.width = static_cast<int>(std::lround(rect.width * unitWidth));
        pixels.height = static_cast<int>(std::lround(rect.height * unitHeight));
        return pixels;
    }

    std::vector<PixelRect> place(double unitWidth, double unitHeight) const
    {
        std::vector<PixelRect> placed;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const LayoutItem& item = items_[i];
            PixelRect pixels = scaled(i, unitWidth, unitHeight);
            pixels.width = std::max(pixels.width, item.bestWidth);
            pixels.height = item.role == LayoutRole::NaturalHeight ? item.bestHeight : std::max(pixels.height, item.bestHeight);
            placed.push_back(pixels);
        }
        return placed;
    }

    // The axis whose unit must grow for the controls to fit, or none when they do.
    std::optional<Axis> fault(const std::vector<PixelRect>& placed, double unitWidth, double unitHeight) const
    {
        for (const auto& [g, m] : members_) {
            const PixelRect& group = placed[g];
            const PixelRect& member = placed[m];
            const int side = items_[g].insideSide + groupPadding;
            // A control the template draws up to the frame may stay there; one that outgrew its
            // place must keep clear of it.
            const PixelRect drawn = scaled(m, unitWidth, unitHeight);
            if (member.x < group.x + side || member.right() > std::max(group.right() - side, drawn.right()))
                return Axis::Across;
            if (member.y < group.y + items_[g].insideTop ||
                member.bottom() > std::max(group.bottom() - side, drawn.bottom()))
                return Axis::Down;
        }
        for (std::size_t a = 0; a < items_.size(); ++a) {
            for (std::size_t b = a + 1; b < items_.size(); ++b) {
                if (isGroup(items_[a]) || isGroup(items_[b]) || !overlap(placed[a], placed[b])) continue;
                return apartAlong(a, b, unitHeight);
            }
        }
        return std::nullopt;
    }

private:
    // The axis along which the template sets two controls apart: the one with the wider gap, a
    // combo box counted at its own height.
    Axis apartAlong(std::size_t a, std::size_t b, double unitHeight) const
    {
        const auto heightOf = [&](std::size_t i) {
            if (items_[i].role != LayoutRole::NaturalHeight) return static_cast<double>(rects_[i].height);
            return items_[i].bestHeight / unitHeight;
        };
        const DialogRect& p = rects_[a];
        const DialogRect& q = rects_[b];
        const double gapAcross = std::max(q.left - (p.left + p.width), p.left - (q.left + q.width));
        const double gapDown = std::max(q.top - (p.top + heightOf(a)), p.top - (q.top + heightOf(b)));
        return gapAcross >= gapDown ? Axis::Across : Axis::Down;
    }

    const std::vector<LayoutItem>& items_;
    std::vector<DialogRect> rects_;
    std::vector<std::pair<std::size_t, std::size_t>> members_;  // (group, control inside it)
    int margin_;
};

}  // namespace

bool overlap(const PixelRect& a, const PixelRect& b)
{
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

DialogLayout layOutDialog(const std::vector<LayoutItem>& items, int width, int height, double unitWidth,
                          double unitHeight, int margin)
{
    const Layout layout(items, margin);
    std::vector<PixelRect> placed = layout.place(unitWidth, unitHeight);
    for (int round = 0; round < mostRounds; ++round) {
        const std::optional<Axis> fault = layout.fault(placed, unitWidth, unitHeight);
        if (!fault) break;
        (*fault == Axis::Across ? unitWidth : unitHeight) *= growth;
        placed = layout.place(unitWidth, unitHeight);
    }
    DialogLayout result;
    result.clientWidth = 2 * margin + static_cast<int>(std::lround(width * unitWidth));
    result.clientHeight = 2 * margin + static_cast<int>(std::lround(height * unitHeight));
    for (const PixelRect& rect : placed) {
        result.clientWidth = std::max(result.clientWidth, rect.right() + margin);
        result.clientHeight = std::max(result.clientHeight, rect.bottom() + margin);
    }
    result.rects = std::move(placed);
    result.unitWidth = unitWidth;
    result.unitHeight = unitHeight;
    return result;
}
