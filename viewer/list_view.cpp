#include "viewer/list_view.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "document/command_ids.h"
#include "document/vesk_doc.h"
#include "viewer/wx_text.h"

VeskView::VeskView(wxWindow* parent, VeskDoc& document)
    : PixelScrolledCanvas(parent), document_(document)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    Bind(wxEVT_PAINT, &VeskView::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &VeskView::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &VeskView::onDoubleClick, this);
    Bind(wxEVT_SIZE, &VeskView::onSize, this);
}

void VeskView::update()
{
    const int height = GetClientSize().y;
    layout_ = listLayout(document_.displayedCount(), height);
    setSteps({layout_.horizontalLineStep, layout_.horizontalPageStep}, {layout_.lineStep, layout_.pageStep});
    SetVirtualSize(layout_.extentWidth, layout_.extentHeight);
    topIndex_ = ::topIndex(layout_, GetViewStart().y, height);
    Refresh();
}

void VeskView::scrolled(int, int dy)
{
    if (layout_.capped() && dy != 0) update();
}

void VeskView::onSize(wxSizeEvent& event)
{
    update();
    event.Skip();
}

void VeskView::drawLines(wxDC& dc, LineRange lines) const
{
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    for (std::int32_t line = lines.first; line < lines.end; ++line)
        dc.DrawText(toWx(document_.listLine(topIndex_ + line)), 0, lineHeight * line);
}

void VeskView::onPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    DoPrepareDC(dc);
    const wxRect area = GetUpdateRegion().GetBox();
    const wxPoint top = CalcUnscrolledPosition(area.GetTopLeft());
    const wxPoint bottom = CalcUnscrolledPosition(area.GetBottomRight());
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(GetBackgroundColour()));
    dc.DrawRectangle(top.x, top.y, bottom.x - top.x + 1, bottom.y - top.y + 1);
    drawLines(dc, linesMeeting(layout_, top.y, bottom.y));
}

std::int32_t VeskView::displayPositionUnder(wxPoint windowPoint) const
{
    return displayPositionAt(CalcUnscrolledPosition(windowPoint).y, topIndex_);
}

void VeskView::onLeftDown(wxMouseEvent& event)
{
    document_.pickByDisplayPosition(displayPositionUnder(event.GetPosition()));
    event.Skip();
}

void VeskView::onDoubleClick(wxMouseEvent& event)
{
    document_.pickByDisplayPosition(displayPositionUnder(event.GetPosition()));
    if (document_.currentTower() != nullptr) document_.onCommand(command::editFields);
}
