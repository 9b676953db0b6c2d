#pragma once

#include <array>
#include <vector>

#include <wx/panel.h>
#include <wx/pen.h>

#include "document/map_geometry.h"
#include "viewer/pixel_scrolled_canvas.h"

class VeskDoc;
class wxDC;
class wxStatusBar;

// Pens and buffers one drawing of the map needs, made once and reused.
class MapPainter {
public:
    MapPainter();
    // Draws the outline, its attribution when any of it was drawn, and the displayed towers onto
    // a device context whose origin is the canvas's top-left pixel. Makes the current tower the
    // point distances are measured from, as the map's drawing always does.
    void draw(wxDC& dc, VeskDoc& document);

private:
    std::array<wxPen, mapPens.size()> pens_;
    CanvasRuns runs_;
    std::vector<wxPoint> points_;
    std::vector<TowerMarker> markers_;
};

// The map's scrolled canvas, 2 x mapHalfSize pixels square.
class MapCanvas : public PixelScrolledCanvas {
public:
    MapCanvas(wxWindow* parent, VeskDoc& document, wxStatusBar& statusLine);

    void update();

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onDoubleClick(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    ViewPoint viewPointUnder(wxPoint windowPoint) const;

    VeskDoc& document_;
    wxStatusBar& statusLine_;
    MapPainter painter_;
};

// The right pane: the map over a one-line status line that shows the tower under the mouse, and
// the frame's menu prompts while a menu is open.
class MapView : public wxPanel {
public:
    MapView(wxWindow* parent, VeskDoc& document);

    void update() { canvas_->update(); }
    void setStatusText(const wxString& text);
    wxString statusText() const;
    MapCanvas* canvas() const { return canvas_; }

private:
    wxStatusBar* statusLine_ = nullptr;
    MapCanvas* canvas_ = nullptr;
};
