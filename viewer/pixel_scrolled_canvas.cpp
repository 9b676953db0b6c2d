#include "viewer/pixel_scrolled_canvas.h"

#include <algorithm>
#include <climits>

PixelScrolledCanvas::PixelScrolledCanvas(wxWindow* parent)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS)
{
    SetScrollRate(1, 1);
    for (const auto& type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN,
          wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_THUMBTRACK,
          wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &PixelScrolledCanvas::onScroll, this);
    Bind(wxEVT_MOUSEWHEEL, &PixelScrolledCanvas::onWheel, this);
    Bind(wxEVT_KEY_DOWN, &PixelScrolledCanvas::onKey, this);
}

void PixelScrolledCanvas::setSteps(Steps horizontal, Steps vertical)
{
    horizontal_ = horizontal;
    vertical_ = vertical;
}

void PixelScrolledCanvas::scrollToPixels(int x, int y)
{
    const wxSize virtualSize = GetVirtualSize();
    const wxSize client = GetClientSize();
    x = std::clamp(x, 0, std::max(0, virtualSize.x - client.x));
    y = std::clamp(y, 0, std::max(0, virtualSize.y - client.y));
    const wxPoint before = GetViewStart();
    if (x == before.x && y == before.y) return;
    Scroll(x, y);
    const wxPoint after = GetViewStart();
    scrolled(after.x - before.x, after.y - before.y);
}

void PixelScrolledCanvas::scrolled(int, int) {}

int PixelScrolledCanvas::target(int orientation, wxEventType type, int thumbPosition) const
{
    const Steps steps = orientation == wxHORIZONTAL ? horizontal_ : vertical_;
    const wxPoint start = GetViewStart();
    const int now = orientation == wxHORIZONTAL ? start.x : start.y;
    if (type == wxEVT_SCROLLWIN_TOP) return 0;
    if (type == wxEVT_SCROLLWIN_BOTTOM) return INT_MAX;
    if (type == wxEVT_SCROLLWIN_LINEUP) return now - steps.line;
    if (type == wxEVT_SCROLLWIN_LINEDOWN) return now + steps.line;
    if (type == wxEVT_SCROLLWIN_PAGEUP) return now - steps.page;
    if (type == wxEVT_SCROLLWIN_PAGEDOWN) return now + steps.page;
    return thumbPosition;
}

void PixelScrolledCanvas::onScroll(wxScrollWinEvent& event)
{
    const wxPoint start = GetViewStart();
    const int to = target(event.GetOrientation(), event.GetEventType(), event.GetPosition());
    if (event.GetOrientation() == wxHORIZONTAL)
        scrollToPixels(to, start.y);
    else
        scrollToPixels(start.x, to);
}

void PixelScrolledCanvas::onWheel(wxMouseEvent& event)
{
    if (event.GetWheelDelta() == 0) return;
    const int lines = event.GetWheelRotation() * event.GetLinesPerAction() / event.GetWheelDelta();
    const wxPoint start = GetViewStart();
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL)
        scrollToPixels(start.x + lines * horizontal_.line, start.y);
    else
        scrollToPixels(start.x, start.y - lines * vertical_.line);
}

void PixelScrolledCanvas::onKey(wxKeyEvent& event)
{
    const wxPoint start = GetViewStart();
    switch (event.GetKeyCode()) {
    case WXK_PAGEUP: scrollToPixels(start.x, start.y - vertical_.page); break;
    case WXK_PAGEDOWN: scrollToPixels(start.x, start.y + vertical_.page); break;
    case WXK_HOME: scrollToPixels(0, 0); break;
    case WXK_END: scrollToPixels(start.x, INT_MAX); break;
    default: event.Skip(); break;
    }
}
