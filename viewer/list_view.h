#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <wx/timer.h>

#include "document/list_geometry.h"
#include "records/tower.h"
#include "viewer/pixel_scrolled_canvas.h"

class VeskDoc;

// The left pane: the displayed towers, one full description a line, in display order, the
// current tower's line in the desktop's selection colours. A list longer than the scroll extent
// holds is mapped onto it (see list_geometry.h); a click picks the tower under it and a double
// click opens its user-defined fields. Letters typed into the list pick the first tower whose
// place starts with them, and a tower that becomes the current one elsewhere scrolls into view.
class VeskView : public PixelScrolledCanvas {
public:
    // Shows a text in the map's status line.
    using StatusLine = std::function<void(const wxString& text)>;

    VeskView(wxWindow* parent, VeskDoc& document, StatusLine showStatus);

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
    void onChar(wxKeyEvent& event);
    std::int32_t displayPositionUnder(wxPoint windowPoint) const;
    void pickUnder(wxPoint windowPoint);
    // Finds the current tower's line, and scrolls it whole into view when the current tower is
    // another than the list last showed.
    void followCurrentTower();
    void endSearch();

    VeskDoc& document_;
    StatusLine showStatus_;
    ListLayout layout_;
    std::int32_t topIndex_ = 0;
    std::int32_t currentPosition_ = -1;  // the current tower's display position, -1 for none
    std::optional<TowerId> shownTower_;  // the current tower the list last showed
    std::int32_t shownPosition_ = -1;    // and where it stood then
    std::string search_;                 // Windows-1252 bytes typed since the last pause
    wxTimer searchPause_;
};
