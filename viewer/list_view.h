#pragma once

#include <cstdint>

#include "document/list_geometry.h"
#include "viewer/pixel_scrolled_canvas.h"

class VeskDoc;

// The left pane: the displayed towers, one full description a line, in display order. A list
// longer than the scroll extent holds is mapped onto it (see list_geometry.h); a click picks the
// tower under it and a double click opens its user-defined fields.
class VeskView : public PixelScrolledCanvas {
public:
    VeskView(wxWindow* parent, VeskDoc& document);

    // Recomputes the line count, the scroll mapping and the lines from the document, and
    // repaints whole.
    void update();

    // Draws the lines from the first to one before the last onto a device context whose
    // origin is the top of the extent.
    void drawLines(wxDC& dc, LineRange lines) const;

    std::int32_t topIndex() const { return topIndex_; }
    const ListLayout& layout() const { return layout_; }

private:
    void scrolled(int dx, int dy) override;
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onDoubleClick(wxMouseEvent& event);
    void onSize(wxSizeEvent& event);
    std::int32_t displayPositionUnder(wxPoint windowPoint) const;

    VeskDoc& document_;
    ListLayout layout_;
    std::int32_t topIndex_ = 0;
};
