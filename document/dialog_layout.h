#pragma once

#include <vector>

// A dialog's controls where its template puts them, in dialog units, laid out in pixels so that
// every control has at least the size the toolkit says it needs and the template's arrangement
// holds: the unit is scaled from the font, then grown along each axis until no two controls
// overlap and every control lies inside the group boxes around it.

// Left, top, width and height in dialog units.
struct DialogRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class LayoutRole {
    Control,
    // A combo box: the template's height is that of its dropped-down list, the control has the
    // toolkit's own height.
    NaturalHeight,
    // A group box: drawn around the controls its template rectangle holds, which must lie inside
    // it below its label.
    Group,
};

struct LayoutItem {
    DialogRect rect;
    int bestWidth = 0;   // pixels
    int bestHeight = 0;
    LayoutRole role = LayoutRole::Control;
    // A group box's label band above the controls inside it, and its border at the other sides.
    int insideTop = 0;
    int insideSide = 0;
};

struct DialogLayout {
    std::vector<PixelRect> rects;  // by item
    int clientWidth = 0;
    int clientHeight = 0;
    double unitWidth = 0;  // pixels a dialog unit, as grown
    double unitHeight = 0;
};

// The controls of a client area width x height units, each unit unitWidth x unitHeight pixels
// at first, with margin pixels around them.
DialogLayout layOutDialog(const std::vector<LayoutItem>& items, int width, int height, double unitWidth,
                          double unitHeight, int margin);

// Whether two controls' rectangles share any pixel.
bool overlap(const PixelRect& a, const PixelRect& b);
