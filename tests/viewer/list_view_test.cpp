#include <cctype>

#include <wx/dcmemory.h>
#include <wx/textctrl.h>
#include <wx/settings.h>

#include "document/command_ids.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "tests/viewer/viewer_fixture.h"
#include "tools/sample_directory.h"
#include "viewer/control_bar.h"

namespace {

// In display order Ashby, Aston, Bexley, S caron-enov, A acute-bel: places sort as their bytes.
const std::string accentedPlaces =
    "NG\\FULL\\Place\\Dedicn\\Bells\n"
    "TQ102665\\Midshire\\Aston\\S Mary\\8\n"
    "TQ112665\\Midshire\\Ashby\\S John\\6\n"
    "TQ122665\\Midshire\\Bexley\\S Paul\\5\n"
    "TQ132665\\Midshire\\\xC1" "bel\\S Peter\\4\n"
    "TQ142665\\Midshire\\\x8A" "enov\\S Anne\\3\n";

class ListViewTest : public ViewerTest {
protected:
    const Tower* displayed(std::int32_t position) { return document().database()->displayedTower(position); }
    int clientHeight() { return frame->listView()->GetClientSize().y; }

    // Letters as the keyboard types them into the list; the virtual display's keyboard has no
    // accented letters, whose characters are handed to the list as the toolkit would.
    void type(const wxString& text)
    {
        for (const wxUniChar letter : text) {
            if (letter.IsAscii()) {
                pressKey(letter.GetValue(), wxIsupper(letter) ? wxMOD_SHIFT : wxMOD_NONE);
                continue;
            }
            wxKeyEvent key(wxEVT_CHAR);
            key.m_uniChar = letter;
            frame->listView()->GetEventHandler()->ProcessEvent(key);
            settle();
        }
    }

    // The list's window as its painting draws it, scrolled as it is now.
    wxImage drawnWindow()
    {
        VeskView* list = frame->listView();
        const wxSize client = list->GetClientSize();
        wxBitmap bitmap(client.x, client.y, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(wxBrush(list->GetBackgroundColour()));
            dc.Clear();
            const int top = list->GetViewStart().y;
            dc.SetDeviceOrigin(0, -top);
            list->drawLines(dc, linesMeeting(list->layout(), top, top + client.y - 1));
        }
        return bitmap.ConvertToImage();
    }

    // Pixels of one colour in a window line, from its left to x = right.
    static int pixelsOf(const wxImage& image, const wxColour& colour, int lineTop, int right)
    {
        int count = 0;
        for (int y = lineTop; y < lineTop + 18; ++y)
            for (int x = 0; x < right; ++x)
                if (wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) == colour) ++count;
        return count;
    }

    // The top of the current tower's line in the list's window.
    int currentLineTop()
    {
        VeskView* list = frame->listView();
        return (displayPositionOf(document().currentTower()) - list->topIndex()) * 18 - list->GetViewStart().y;
    }

    // The current tower's line lies whole in the window, drawn in the selection colour, and a
    // click on it picks that tower again.
    void expectCurrentTowerShown()
    {
        const Tower* current = document().currentTower();
        ASSERT_NE(current, nullptr);
        const int top = currentLineTop();
        EXPECT_GE(top, 0);
        EXPECT_LE(top, clientHeight() - 18);
        const wxImage drawn = drawnWindow();
        const int x = drawn.GetWidth() - 5;
        EXPECT_EQ(wxColour(drawn.GetRed(x, top + 9), drawn.GetGreen(x, top + 9), drawn.GetBlue(x, top + 9)),
                  wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        click(frame->listView(), {30, top + 9});
        EXPECT_EQ(document().currentTower(), current);
    }
};

bool startsWithAscii(std::string_view place, std::string_view letters)
{
    if (place.size() < letters.size()) return false;
    for (std::size_t i = 0; i < letters.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(place[i])) != letters[i]) return false;
    return true;
}

TEST_F(ListViewTest, ALongListIsMappedOntoTheExtentAndEveryTowerCanBePicked)
{
    openViewer(sampleSource());
    VeskView* list = frame->listView();
    ASSERT_EQ(document().displayedCount(), 6000);
    EXPECT_EQ(list->GetVirtualSize().y, 32760);
    EXPECT_EQ(list->topIndex(), 0);
    click(list, {30, 3 * 18 + 9});
    EXPECT_EQ(document().currentTower(), displayed(3));

    // The bottom line of the extent, scrolled to its end, shows the last tower.
    pressKey(WXK_END);
    EXPECT_EQ(list->GetViewStart().y, 32760 - clientHeight());
    EXPECT_EQ(list->topIndex(), 6000 - 1820);
    click(list, {30, clientHeight() - 4});
    EXPECT_EQ(document().currentTower(), displayed(5999));

    // Half way down, a click still picks the tower drawn on the line under it.
    pressKey(WXK_HOME);
    for (int page = 0; page < 12; ++page) pressKey(WXK_PAGEDOWN);
    const int position = list->GetViewStart().y;
    EXPECT_EQ(position, 12 * list->layout().pageStep);
    EXPECT_GT(list->topIndex(), 0);
    const int lineTop = (position / 18 + 2) * 18 - position;
    click(list, {30, lineTop + 9});
    EXPECT_EQ(document().currentTower(), displayed(position / 18 + 2 + list->topIndex()));
}

TEST_F(ListViewTest, AShortListScrollsTwoLinesAStep)
{
    openViewer(sampleSource());
    SelectionStep inKent;
    inKent.field = selectCounty;
    inKent.fromText = inKent.toText = "Kent";
    document().applySelection(inKent);
    settle();
    VeskView* list = frame->listView();
    ASSERT_LT(document().displayedCount(), 1820);
    EXPECT_EQ(list->GetVirtualSize().y, 18 * document().displayedCount());
    EXPECT_EQ(list->layout().lineStep, 36);
    list->SetFocus();
    // A notch of the mouse wheel towards the user moves three line steps down.
    wxMouseEvent notch(wxEVT_MOUSEWHEEL);
    notch.m_wheelRotation = -120;
    notch.m_wheelDelta = 120;
    notch.m_linesPerAction = 3;
    list->GetEventHandler()->ProcessEvent(notch);
    settle();
    EXPECT_EQ(list->GetViewStart().y, 3 * 36);
}

TEST_F(ListViewTest, AnEmptySelectionLeavesOneLineThatPicksNothing)
{
    openViewer(sampleSource());
    click(frame->listView(), {30, 9});
    ASSERT_NE(document().currentTower(), nullptr);
    SelectionStep none;
    none.field = selectBells;
    none.fromText = none.toText = "99";
    document().applySelection(none);
    settle();
    EXPECT_EQ(frame->listView()->layout().extentHeight, 18);
    EXPECT_EQ(document().listLine(0), "No tower details");
    click(frame->listView(), {30, 9});
    EXPECT_EQ(document().currentTower(), nullptr);
}

TEST_F(ListViewTest, ADoubleClickOrReturnOpensTheFieldsOfTheTower)
{
    openViewer(sampleSource());
    pressKey(WXK_RETURN);  // no tower picked yet: nothing to open
    expectDialog([](wxDialog&) { return wxID_OK; });
    doubleClick(frame->listView(), {30, 5 * 18 + 9});
    EXPECT_EQ(document().currentTower(), displayed(5));
    for (const int key : {WXK_RETURN, WXK_NUMPAD_ENTER}) {
        expectDialog([](wxDialog&) { return wxID_OK; });
        pressKey(key);
    }
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"Tower Details", "Tower Details", "Tower Details"}));
}

TEST_F(ListViewTest, TypedLettersPickTheFirstPlaceStartingWithThemWhateverTheirCase)
{
    openViewer(accentedPlaces);
    const struct {
        wxString typed;
        std::string place;
        wxString status;
    } cases[] = {
        {"ast", "Aston", "Find: ast"},
        {"AS", "Ashby", "Find: AS"},
        {"bq", "Bexley", "Find: bq (no such place)"},  // the last tower found stays picked
        {L"\u00E1", "\xC1" "bel", L"Find: \u00E1"},
        {L"\u0161E", "\x8A" "enov", L"Find: \u0161E"},
        {L"\u0141be", "\x8A" "enov", L"Find: ?be (no such place)"},  // no place holds a letter the code page lacks
    };
    for (const auto& c : cases) {
        pressKey(WXK_ESCAPE);
        type(c.typed);
        EXPECT_EQ(document().currentTower(), towerNamed(c.place)) << c.typed;
        EXPECT_EQ(frame->mapView()->statusText(), c.status);
    }
    EXPECT_EQ(frame->controlBar()->textField()->GetValue(), L"\u0160enov, Midshire, S Anne");

    // Escape, or a second without typing, starts the next search afresh.
    pressKey(WXK_ESCAPE);
    EXPECT_EQ(frame->mapView()->statusText(), "Ready");
    type("ba");
    EXPECT_EQ(document().currentTower(), towerNamed("Bexley"));
    pressKey(WXK_ESCAPE);
    type("a");
    EXPECT_EQ(document().currentTower(), towerNamed("Ashby"));
    EXPECT_TRUE(waitUntil([this] { return frame->mapView()->statusText() == "Ready"; }));
    type("b");
    EXPECT_EQ(document().currentTower(), towerNamed("Bexley"));
}

TEST_F(ListViewTest, TheCurrentTowerIsDrawnInTheDesktopsSelectionColours)
{
    openViewer(accentedPlaces);
    click(frame->listView(), {30, 18 + 9});
    ASSERT_EQ(document().currentTower(), towerNamed("Aston"));
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const wxColour highlightText = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    ASSERT_NE(highlight, frame->listView()->GetBackgroundColour());
    ASSERT_NE(highlightText, text);
    const wxImage drawn = drawnWindow();
    const int width = drawn.GetWidth();
    const struct {
        int line;
        bool current;
    } lines[] = {{0, false}, {1, true}, {2, false}};
    for (const auto& l : lines) {
        SCOPED_TRACE(testing::Message() << "line " << l.line);
        // Beyond its text the line is the highlight's colour throughout, or nowhere.
        EXPECT_EQ(pixelsOf(drawn, highlight, 18 * l.line, width) >= 18 * (width - 300), l.current);
        EXPECT_GT(pixelsOf(drawn, l.current ? highlightText : text, 18 * l.line, 300), 0);
    }
    EXPECT_EQ(pixelsOf(drawn, text, 18, 300), 0);
}

TEST_F(ListViewTest, InACappedListAFoundMapPickedOrResortedTowerScrollsIntoView)
{
    openViewer(generateStressDirectory());
    VeskView* list = frame->listView();
    ASSERT_EQ(document().displayedCount(), 32767);
    for (const std::string letters : {"w", "mo", "c"}) {
        SCOPED_TRACE(letters);
        list->SetFocus();
        settle();
        pressKey(WXK_HOME);
        pressKey(WXK_ESCAPE);
        type(letters);
        const std::int32_t found = displayPositionOf(document().currentTower());
        ASSERT_GE(found, 0);
        EXPECT_GT(found, 1820);  // beyond the lines the extent maps at first
        EXPECT_TRUE(startsWithAscii(document().currentTower()->place, letters));
        for (std::int32_t before = 0; before < found; ++before)
            ASSERT_FALSE(startsWithAscii(displayed(before)->place, letters)) << before;
        expectCurrentTowerShown();
    }

    MapCanvas* map = frame->mapView()->canvas();
    for (const wxPoint point : {wxPoint(30, 30), wxPoint(300, 400)}) {
        SCOPED_TRACE(testing::Message() << point.x << "," << point.y);
        list->SetFocus();
        settle();
        pressKey(WXK_HOME);
        const Tower* before = document().currentTower();
        click(map, point);
        ASSERT_NE(document().currentTower(), before);
        expectCurrentTowerShown();
    }

    // The picked tower moves in the list: by the county from the last, then back.
    for (const bool descending : {true, false}) {
        SCOPED_TRACE(descending);
        const std::int32_t before = displayPositionOf(document().currentTower());
        document().applySortKeys(SortKeys{SortKey{false, sortCounty, descending}, SortKey{}, SortKey{}});
        ASSERT_NE(displayPositionOf(document().currentTower()), before);
        settle();
        expectCurrentTowerShown();
    }

    // A click on a line the window shows only in part picks its tower where it lies.
    list->SetFocus();
    settle();
    pressKey(WXK_HOME);
    pressKey(WXK_PAGEDOWN);
    const int start = list->GetViewStart().y;
    ASSERT_NE(start % 18, 0);
    click(list, {30, 2});
    EXPECT_EQ(document().currentTower(), displayed(list->topIndex() + (start + 2) / 18));
    EXPECT_EQ(list->GetViewStart().y, start);
}

}  // namespace
