#include "viewer/list_view.h"

#include <algorithm>
#include <utility>

#include <wx/dcbuffer.h>
#include <wx/graphics.h>
#include <wx/settings.h>

#include "document/command_ids.h"
#include "document/list_search.h"
#include "document/vesk_doc.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

// A search ends a second after the last letter typed into it.
constexpr int searchPauseMilliseconds = 1000;

// The Windows-1252 byte a key types into a search. Control keys type none, nor do Ctrl and Alt
// chords, which are commands (AltGr, which is both, types a character), nor characters the code
// page lacks, which are in no place name.
std::optional<char> searchByte(const wxKeyEvent& event)
{
    const wxChar typed = event.GetUnicodeKey();
    const int chord = event.GetModifiers() & wxMOD_ALTGR;
    if (typed < ' ' || typed == WXK_DELETE || (chord != wxMOD_NONE && chord != wxMOD_ALTGR)) return std::nullopt;
    const std::string byte = fromWx(wxString(typed));
    // A letter the code page lacks, which no place name holds: a NUL byte, which no text of the
    // directory holds either, makes the search find nothing, as the user expects.
    if (byte == "?" && typed != '?') return '\0';
    return byte.front();
}

}  // namespace

VeskView::VeskView(wxWindow* parent, VeskDoc& document, StatusLine showStatus)
    : PixelScrolledCanvas(parent), document_(document), showStatus_(std::move(showStatus)), searchPause_(this)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    Bind(wxEVT_PAINT, &VeskView::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &VeskView::onLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &VeskView::onDoubleClick, this);
    Bind(wxEVT_SIZE, &VeskView::onSize, this);
    Bind(wxEVT_CHAR, &VeskView::onChar, this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { endSearch(); });
}

void VeskView::update()
{
    const int height = GetClientSize().y;
    layout_ = listLayout(document_.displayedCount(), height);
    setSteps({layout_.horizontalLineStep, layout_.horizontalPageStep}, {layout_.lineStep, layout_.pageStep});
    SetVirtualSize(layout_.extentWidth, layout_.extentHeight);
    topIndex_ = ::topIndex(layout_, GetViewStart().y, height);
    followCurrentTower();
    Refresh();
}

void VeskView::followCurrentTower()
{
    const Tower* current = document_.currentTower();
    const TowerDatabase* database = document_.database();
    currentPosition_ = database != nullptr ? displayPositionOf(*database, current) : -1;
    const std::optional<TowerId> id = current != nullptr ? std::optional(current->id) : std::nullopt;
    // The user's own scrolling stands until another tower is picked or the picked one moves in
    // the list (a sort, a selection).
    if (id == shownTower_ && currentPosition_ == shownPosition_) return;
    shownTower_ = id;
    shownPosition_ = currentPosition_;
    if (currentPosition_ < 0) return;
    const wxPoint start = GetViewStart();
    scrollToPixels(start.x, scrollPositionShowing(layout_, currentPosition_, start.y, GetClientSize().y));
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
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    // Where the device context draws through a graphics context, the texts go straight to it:
    // the device context would measure each one for a bounding box that nothing here reads.
    wxGraphicsContext* context = dc.GetGraphicsContext();
    const std::int32_t currentLine = currentPosition_ - topIndex_;
    for (std::int32_t line = lines.first; line < lines.end; ++line) {
        const bool current = currentPosition_ >= 0 && line == currentLine;
        if (current) dc.DrawRectangle(0, lineHeight * line, GetVirtualSize().x, lineHeight);
        dc.SetTextForeground(current ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT) : GetForegroundColour());
        const wxString text = toWx(document_.listLine(topIndex_ + line));
        if (context != nullptr)
            context->DrawText(text, 0, lineHeight * line);
        else
            dc.DrawText(text, 0, lineHeight * line);
    }
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

void VeskView::pickUnder(wxPoint windowPoint)
{
    const std::int32_t position = displayPositionUnder(windowPoint);
    // The clicked line is in view already; scrolling it whole into view would move another line
    // under the second click of a double click.
    const TowerDatabase* database = document_.database();
    const Tower* under = database != nullptr ? database->displayedTower(position) : nullptr;
    shownTower_ = under != nullptr ? std::optional(under->id) : std::nullopt;
    shownPosition_ = under != nullptr ? position : -1;
    document_.pickByDisplayPosition(position);
}

void VeskView::onLeftDown(wxMouseEvent& event)
{
    pickUnder(event.GetPosition());
    event.Skip();
}

void VeskView::onDoubleClick(wxMouseEvent& event)
{
    pickUnder(event.GetPosition());
    if (document_.currentTower() != nullptr) document_.onCommand(command::editFields);
}

void VeskView::onChar(wxKeyEvent& event)
{
    if (event.GetUnicodeKey() == WXK_ESCAPE && !search_.empty()) {
        endSearch();
        return;
    }
    const bool enter = event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER;
    if (enter && event.GetModifiers() == wxMOD_NONE && document_.currentTower() != nullptr) {
        document_.onCommand(command::editFields);
        return;
    }
    const std::optional<char> byte = searchByte(event);
    if (!byte) {
        event.Skip();
        return;
    }
    search_ += *byte;
    searchPause_.StartOnce(searchPauseMilliseconds);
    const TowerDatabase* database = document_.database();
    const std::int32_t found = database != nullptr ? firstPlaceStartingWith(*database, search_) : -1;
    if (found >= 0) {
        shownTower_.reset();
        document_.pickByDisplayPosition(found);
    }
    std::string shown = search_;
    std::replace(shown.begin(), shown.end(), '\0', '?');
    showStatus_(toWx(std::string(findPrompt) + shown + std::string(found >= 0 ? "" : findNothingNote)));
}

void VeskView::endSearch()
{
    searchPause_.Stop();
    search_.clear();
    showStatus_(toWx(readyText));
}
