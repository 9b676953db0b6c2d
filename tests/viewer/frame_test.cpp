#include <map>

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>

#include "document/command_ids.h"
#include "tests/viewer/viewer_fixture.h"
#include "viewer/control_bar.h"
#include "viewer/frame_menus.h"

namespace {

// Aston has a position and a web address, Bexley a position only, Easton neither.
const std::string smallSource =
    "NG\\FULL\\Place\\Dedicn\\Bells\\Prac\\WebPage\\UR\n"
    "TQ102665\\Midshire\\Aston\\S Mary\\8\\Thu 19.30\\www.aston.org.uk\\\n"
    "TQ352665\\Midshire\\Bexley\\S John\\6\\Mon 19.30\\\\\n"
    "\\Hants\\Easton\\S Peter\\5\\\\\\\n";

class FrameTest : public ViewerTest {};

TEST_F(FrameTest, TheFirstWindowShowsListMapAndAnEmptyBar)
{
    openViewer(smallSource);
    EXPECT_EQ(frame->GetTitle(), "Vesk Document - Belfrix");
    EXPECT_EQ(frame->GetIcon().GetSize(), wxSize(32, 32));  // the bell, decoded from its PNG
    ASSERT_TRUE(waitUntil([this] { return frame->splitter()->GetSashPosition() == 600; }));
    // Made too small for the list and grown again, the window gives the list back its width.
    const wxSize size = frame->GetSize();
    frame->SetSize(300, size.y);
    ASSERT_TRUE(waitUntil([this] { return frame->splitter()->GetSashPosition() < 400; }));
    frame->SetSize(size);
    EXPECT_TRUE(waitUntil([this] { return frame->splitter()->GetSashPosition() == 600; }))
        << frame->splitter()->GetSashPosition() << " in " << frame->splitter()->GetClientSize().x;
    // Squeezed, and its sash dragged to either end, the window keeps room for its scroll bars:
    // the toolkit has no critical fault to report.
    frame->SetSize(400, 300);
    for (const int sash : {10000, 0}) {
        frame->splitter()->SetSashPosition(sash);
        frame->Refresh();
        settle();
    }
    frame->SetSize(size);
    EXPECT_EQ(frame->splitter()->GetWindow1(), frame->listView());
    EXPECT_EQ(frame->splitter()->GetWindow2(), frame->mapView());
    ControlBar& bar = *frame->controlBar();
    for (const int id : {command::centre, command::details, command::www, command::wwwMap, command::editFields})
        EXPECT_FALSE(bar.button(id)->IsShown()) << id;
    EXPECT_TRUE(bar.textField()->IsShown());
    EXPECT_EQ(bar.textField()->GetValue(), "");
    EXPECT_EQ(frame->mapView()->statusText(), "Ready");
}

TEST_F(FrameTest, TheControlBarFollowsThePickedTower)
{
    openViewer(smallSource);
    ControlBar& bar = *frame->controlBar();
    auto shown = [&bar] {
        std::vector<int> ids;
        for (const int id : {command::centre, command::details, command::www, command::wwwMap, command::editFields})
            if (bar.button(id)->IsShown()) ids.push_back(id);
        return ids;
    };
    const int lineOf[] = {0, 1, 2};  // Aston, Bexley, Easton in place order
    click(frame->listView(), {20, 18 * lineOf[0] + 9});
    EXPECT_EQ(document().currentTower(), towerNamed("Aston"));
    EXPECT_EQ(shown(), (std::vector<int>{command::centre, command::details, command::www, command::wwwMap}));
    EXPECT_EQ(bar.textField()->GetValue(), "Aston, Midshire, S Mary");
    // From the left: centre, details, www, www map, then the text.
    EXPECT_LT(bar.button(command::centre)->GetPosition().x, bar.button(command::details)->GetPosition().x);
    EXPECT_LT(bar.button(command::details)->GetPosition().x, bar.button(command::www)->GetPosition().x);
    EXPECT_LT(bar.button(command::www)->GetPosition().x, bar.button(command::wwwMap)->GetPosition().x);
    EXPECT_LT(bar.button(command::wwwMap)->GetPosition().x, bar.textField()->GetPosition().x);

    click(frame->listView(), {20, 18 * lineOf[1] + 9});
    EXPECT_EQ(shown(), (std::vector<int>{command::centre, command::details, command::wwwMap}));
    click(frame->listView(), {20, 18 * lineOf[2] + 9});
    EXPECT_EQ(shown(), (std::vector<int>{command::details}));
    EXPECT_EQ(bar.textField()->GetValue(), "Easton, Hants, S Peter");
    // Below the last line: no tower.
    click(frame->listView(), {20, 18 * 3 + 9});
    EXPECT_EQ(document().currentTower(), nullptr);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(bar.textField()->GetValue(), "");
}

TEST_F(FrameTest, KeypadPlusZoomsAndTheMainKeyboardsPlusDoesNot)
{
    openViewer(smallSource);
    pressKey('=', wxMOD_SHIFT);
    pressKey('+');
    EXPECT_EQ(document().radius(), 50000.0);
    pressKey(WXK_NUMPAD_ADD);
    EXPECT_EQ(document().radius(), 25000.0);
    frame->mapView()->canvas()->SetFocus();
    pressKey(WXK_NUMPAD_SUBTRACT);
    EXPECT_EQ(document().radius(), 50000.0);
    pressKey('-');
    EXPECT_EQ(document().radius(), 50000.0);
}

TEST_F(FrameTest, ArrowsPanByHalfTheRadiusWhicheverPaneHasTheFocus)
{
    openViewer(smallSource);
    const Position start = document().database()->centre;
    pressKey(WXK_RIGHT);
    EXPECT_EQ(document().database()->centre, (Position{start.x + 250, start.y}));
    frame->mapView()->canvas()->SetFocus();
    settle();
    pressKey(WXK_UP);
    EXPECT_EQ(document().database()->centre, (Position{start.x + 250, start.y + 250}));
    pressKey(WXK_LEFT);
    pressKey(WXK_DOWN);
    EXPECT_EQ(document().database()->centre, start);
    EXPECT_EQ(document().centreText(), "TQ102665");
}

TEST_F(FrameTest, FunctionKeysOpenTheirDialogs)
{
    openViewer(smallSource);
    for (int dialog = 0; dialog < 4; ++dialog) expectDialog([](wxDialog&) { return wxID_CANCEL; });
    for (const int key : {WXK_F2, WXK_F3, WXK_F4, WXK_F5}) pressKey(key);
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"Options", "Select", "Sort", "User-defined Fields"}));
}

TEST_F(FrameTest, F6MovesTheKeyboardBetweenThePanes)
{
    openViewer(smallSource);
    frame->listView()->SetFocus();
    settle();
    ASSERT_EQ(wxWindow::FindFocus(), frame->listView());
    pressKey(WXK_F6);
    EXPECT_EQ(wxWindow::FindFocus(), frame->mapView()->canvas());
    pressKey(WXK_F6, wxMOD_SHIFT);
    EXPECT_EQ(wxWindow::FindFocus(), frame->listView());
}

TEST_F(FrameTest, MenusHoldTheirEntriesWithUnusableOnesDisabled)
{
    openViewer(smallSource);
    wxMenuBar& bar = *frame->GetMenuBar();
    ASSERT_EQ(bar.GetMenuCount(), 5u);
    EXPECT_EQ(bar.GetMenuLabel(0), "&File");
    EXPECT_EQ(bar.GetMenuLabel(4), "&Help");
    for (const int id : std::initializer_list<int>{wxID_UNDO, wxID_CUT, wxID_COPY, wxID_PASTE, idToolbar, idStatusBar})
        EXPECT_FALSE(bar.IsEnabled(id)) << id;
    for (const int id : std::initializer_list<int>{wxID_NEW, idExportCsv, idZoomIn, idUserFields, wxID_ABOUT})
        EXPECT_TRUE(bar.IsEnabled(id)) << id;
    // The recent files' place holds the disabled placeholder while the list is empty.
    wxMenuItem* recent = bar.FindItem(wxID_FILE1);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->GetItemLabelText(), "Recent File");
    EXPECT_FALSE(recent->IsEnabled());
    EXPECT_EQ(bar.FindItem(idZoomIn)->GetItemLabelText(), "Zoom In");
    EXPECT_EQ(bar.FindItem(wxID_ABOUT)->GetItemLabel(), "&About Belfrix...");
    EXPECT_EQ(bar.GetHelpString(wxID_NEW), "Create a new document");
    EXPECT_EQ(bar.GetHelpString(idSelect), "");
    // Within a menu each underlined letter picks one entry, whichever the menu last highlighted.
    for (std::size_t menu = 0; menu < bar.GetMenuCount(); ++menu) {
        std::map<wxUniChar, wxString> entryOfLetter;
        for (const wxMenuItem* item : bar.GetMenu(menu)->GetMenuItems()) {
            const wxString label = item->GetItemLabel().BeforeFirst('\t');
            const int mark = label.Find('&');
            if (item->IsSeparator() || mark == wxNOT_FOUND || item->GetId() == wxID_FILE1) continue;
            const auto [at, first] = entryOfLetter.emplace(wxTolower(label[mark + 1]), label);
            EXPECT_TRUE(first) << label << " and " << at->second << " share a letter";
        }
    }
}

TEST_F(FrameTest, AnOpenMenuShowsThePromptOfItsHighlightedEntry)
{
    openViewer(smallSource);
    wxMenuBar* bar = frame->GetMenuBar();
    const int below = bar->GetSize().y;
    click(bar, {15, below / 2});
    // Entries of the open File menu are about 25 pixels apart.
    moveMouse(bar, {40, below + 13});
    EXPECT_TRUE(waitUntil([this] { return frame->mapView()->statusText() == "Create a new document"; }))
        << frame->mapView()->statusText();
    moveMouse(bar, {40, below + 13 + 4 * 25});  // Export, which has no prompt
    EXPECT_TRUE(waitUntil([this] { return frame->mapView()->statusText() == ""; }))
        << frame->mapView()->statusText();
    pressKey(WXK_ESCAPE);
    EXPECT_TRUE(waitUntil([this] { return frame->mapView()->statusText() == "Ready"; }))
        << frame->mapView()->statusText();
}

TEST_F(FrameTest, DetailsShowTheFullDescriptionInAPlainBox)
{
    openViewer(smallSource);
    click(frame->listView(), {20, 9});
    wxString message;
    expectDialog([&message](wxDialog& box) {
        message = messageOf(box);
        return wxID_OK;
    });
    click(frame->controlBar(), frame->controlBar()->button(command::details)->GetPosition() + wxPoint(5, 5));
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"Belfrix"}));
    EXPECT_EQ(message, "Aston, Midshire, S Mary, 8 Thu 19.30 TQ102665  http://www.aston.org.uk");
}

TEST_F(FrameTest, TheAboutBoxClosesWithOkOrEscape)
{
    openViewer(smallSource);
    wxString version;
    wxSize iconSize;
    expectDialog([&version, &iconSize](wxDialog& about) {
        return whenShown(about, [&version, &iconSize](wxDialog& shown) {
            for (wxWindow* child : shown.GetChildren()) {
                if (child->GetLabel().StartsWith("Belfrix Version")) version = child->GetLabel();
                if (auto* icon = dynamic_cast<wxStaticBitmap*>(child)) iconSize = icon->GetBitmap().GetSize();
            }
            pressButton(shown, wxID_OK);
        });
    });
    frame->runCommand(wxID_ABOUT);
    EXPECT_EQ(version, "Belfrix Version 0.5");
    EXPECT_EQ(iconSize, wxSize(32, 32));
    expectDialog([this](wxDialog& about) {
        return whenShown(about, [this](wxDialog&) { pressKey(WXK_ESCAPE); });
    });
    frame->runCommand(wxID_ABOUT);
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"About Belfrix", "About Belfrix"}));
}

}  // namespace
