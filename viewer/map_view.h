#pragma once

#include <array>
#include <vector>

#include <wx/bitmap.h>
#include <wx/panel.h>
#include <wx/pen.h>

#include "document/map_geometry.h"
#include "viewer/pixel_scrolled_canvas.h"

class TowerDatabase;
class VeskDoc;
class wxDC;
class wxStatusBar;

// The map's canvas, drawn whole into a bitmap the view keeps: the window shows the part it is
// scrolled to, so scrolling only copies pixels, and the canvas is drawn again only when the
// document changed.
class MapPainter {
public:
    MapPainter();
    // Draws the outline, its attribution when any of it was drawn, and the displayed towers.
    // Makes the current tower the point distances are measured from, as the map's drawing
    // always does.
    const wxBitmap& render(const VeskDoc& document);
    const wxBitmap& canvas() const { return canvas_; }

private:
    void drawOutline(wxDC& dc, const TowerDatabase& database);
    void drawMarkers(const TowerDatabase& database, ViewPoint ringed);

    wxBitmap canvas_;
    std::array<wxPen, mapPens.size()> pens_;
    CanvasRuns runs_;
    std::vector<wxPoint> points_;
    TowerMarkers markers_;
};

// The map's scrolled canvas, 2 x mapHalfSize pixels square. The mouse wheel scrolls it, and with
// Ctrl zooms as the numeric keypad's + and - do.
class MapCanvas : public PixelScrolledCanvas {
public:
    MapCanvas(wxWindow* parent, VeskDoc& document, wxStatusBar& statusLine);

    void update();

private:
    void onPaint(wxPaintEvent& event);
    void onLeftDown(wxMouseEvent& event);
    void onDoubleClick(wxMouseEvent& event);
    void onMotion(wxMouseEvent& event);
    void onWheel(wxMouseEvent& event);
    ViewPoint viewPointUnder(wxPoint windowPoint) const;

    VeskDoc& document_;
    wxStatusBar& statusLine_;
    MapPainter painter_;
    bool drawn_ = false;  // the painter's canvas shows the document as it is
    bool centreWhenPainted_ = false;  // the document asked for its centre to be scrolled into view
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
