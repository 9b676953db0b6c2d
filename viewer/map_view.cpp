#include "viewer/map_view.h"

#include <cstdlib>

#include <wx/dcmemory.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

#include "document/command_ids.h"
#include "document/vesk_doc.h"
#include "geo/outline_attribution.h"
#include "viewer/bitmap_pixels.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

wxPoint wxPointOf(CanvasPoint point) { return {point.x, point.y}; }

}  // namespace

// --- Drawing -------------------------------------------------------------------------------------

MapPainter::MapPainter() : canvas_(mapCanvasSize, mapCanvasSize, 24)
{
    for (std::size_t i = 0; i < mapPens.size(); ++i) {
        pens_[i] = wxPen(wxColour(mapPens[i].red, mapPens[i].green, mapPens[i].blue), 1);
        pens_[i].SetCap(wxCAP_BUTT);
    }
}

const wxBitmap& MapPainter::render(const VeskDoc& document)
{
    const TowerDatabase* database = document.database();
    {
        wxMemoryDC dc(canvas_);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        // Crisp one-pixel lines that cover their first pixel and stop before their last, as
        // Windows' own device contexts draw them.
        if (wxGraphicsContext* context = dc.GetGraphicsContext()) context->SetAntialiasMode(wxANTIALIAS_NONE);
        if (database != nullptr) drawOutline(dc, *database);
    }
    if (database != nullptr) drawMarkers(*database, document.currentTowerViewPoint());
    return canvas_;
}

void MapPainter::drawOutline(wxDC& dc, const TowerDatabase& database)
{
    bool drawn = false;
    const auto& layers = database.outline.layers;
    for (std::size_t layer = 0; layer < layers.size(); ++layer) {
        dc.SetPen(pens_[penIndex(static_cast<std::int32_t>(layer))]);
        for (const OutlinePolyline& polyline : layers[layer].polylines) {
            if (!polylineInView(database, polyline)) continue;
            drawn = true;
            outlineRuns(database, polyline, runs_);
            std::size_t start = 0;
            for (const std::size_t length : runs_.runLengths) {
                points_.clear();
                for (std::size_t i = start; i < start + length; ++i) points_.push_back(wxPointOf(runs_.points[i]));
                dc.DrawLines(static_cast<int>(points_.size()), points_.data());
                start += length;
            }
        }
    }
    if (drawn) dc.DrawText(toWx(outlineAttribution), 0, 0);
}

void MapPainter::drawMarkers(const TowerDatabase& database, ViewPoint ringed)
{
    towerMarkers(database, ringed, markers_);
    BitmapPixels pixels(canvas_);
    const PenColour white{255, 255, 255};
    for (const TowerMarker& marker : markers_.shown)
        for (const MarkerDot& dot : markerDots(marker))
            pixels.set({marker.at.x + dot.dx, marker.at.y + dot.dy}, dot.white ? white : mapPens[marker.pen]);
}

// --- The canvas ----------------------------------------------------------------------------------

MapCanvas::MapCanvas(wxWindow* parent, VeskDoc& document, wxStatusBar& statusLine)
    : PixelScrolledCanvas(parent), document_(document), statusLine_(statusLine)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    SetVirtualSize(mapCanvasSize, mapCanvasSize);
    setSteps({mapCanvasSize / 100, mapCanvasSize / 10}, {mapCanvasSize / 100, mapCanvasSize / 10});
    Bind(wxEVT_PAINT, &MapCanvas::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &MapCanvas::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &MapCanvas::onDoubleClick, this);
    Bind(wxEVT_MOTION, &MapCanvas::onMotion, this);
    // Bound after the canvas's own scrolling, so it comes first.
    Bind(wxEVT_MOUSEWHEEL, &MapCanvas::onWheel, this);
}

void MapCanvas::update()
{
    SetVirtualSize(mapCanvasSize, mapCanvasSize);
    drawn_ = false;
    if (document_.takeNeedsCentring()) centreWhenPainted_ = true;
    Refresh();
}

void MapCanvas::onPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (!drawn_) {
        painter_.render(document_);
        drawn_ = true;
    }
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    DoPrepareDC(dc);
    dc.DrawBitmap(painter_.canvas(), 0, 0);
    if (centreWhenPainted_) {
        centreWhenPainted_ = false;
        const wxSize client = GetClientSize();
        const CanvasPoint scroll = centringScroll(client.x, client.y);
        // Scrolling repaints; it must wait until this painting is over.
        CallAfter([this, scroll] { scrollToPixels(scroll.x, scroll.y); });
    }
}

ViewPoint MapCanvas::viewPointUnder(wxPoint windowPoint) const
{
    const wxPoint canvas = CalcUnscrolledPosition(windowPoint);
    return viewPointOfPixel({canvas.x, canvas.y});
}

void MapCanvas::onLeftDown(wxMouseEvent& event)
{
    document_.pickNearest(viewPointUnder(event.GetPosition()));
    event.Skip();
}

void MapCanvas::onDoubleClick(wxMouseEvent& event)
{
    document_.pickNearest(viewPointUnder(event.GetPosition()));
    if (document_.currentTower() != nullptr) document_.onCommand(command::editFields);
}

void MapCanvas::onMotion(wxMouseEvent& event)
{
    statusLine_.SetStatusText(toWx(document_.hoverText(viewPointUnder(event.GetPosition()))));
    event.Skip();
}

void MapCanvas::onWheel(wxMouseEvent& event)
{
    if (!event.ControlDown() || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || event.GetWheelDelta() == 0) {
        event.Skip();
        return;
    }
    // A notch away from the user zooms in.
    const int notches = event.GetWheelRotation() / event.GetWheelDelta();
    for (int notch = 0; notch < std::abs(notches); ++notch)
        document_.onCommand(notches > 0 ? command::zoomIn : command::zoomOut);
}

// --- The pane ------------------------------------------------------------------------------------

MapView::MapView(wxWindow* parent, VeskDoc& document) : wxPanel(parent)
{
    statusLine_ = new wxStatusBar(this, wxID_ANY, wxSTB_SHOW_TIPS | wxSTB_ELLIPSIZE_END);
    statusLine_->SetStatusText(toWx(readyText));
    canvas_ = new MapCanvas(this, document, *statusLine_);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(canvas_, 1, wxEXPAND);
    sizer->Add(statusLine_, 0, wxEXPAND);
    SetSizer(sizer);
}

void MapView::setStatusText(const wxString& text) { statusLine_->SetStatusText(text); }

wxString MapView::statusText() const { return statusLine_->GetStatusText(); }
