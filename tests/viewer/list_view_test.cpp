#include "document/command_ids.h"
#include "query/selection.h"
#include "tests/viewer/viewer_fixture.h"

namespace {

class ListViewTest : public ViewerTest {
protected:
    const Tower* displayed(std::int32_t position) { return document().database()->displayedTower(position); }
    int clientHeight() { return frame->listView()->GetClientSize().y; }
};

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

TEST_F(ListViewTest, ADoubleClickOpensTheFieldsOfTheTowerUnderIt)
{
    openViewer(sampleSource());
    expectDialog([](wxDialog&) { return wxID_OK; });
    doubleClick(frame->listView(), {30, 5 * 18 + 9});
    EXPECT_EQ(document().currentTower(), displayed(5));
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"Tower Details"}));
}

}  // namespace
