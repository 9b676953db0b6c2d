// Every dialog as the toolkit draws it: no control below the size it needs, no two controls over
// each other (group boxes aside), nothing outside the client area or on its edge.
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "document/command_ids.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/frame_menus.h"
#include "query/user_fields.h"
#include "tests/viewer/viewer_fixture.h"
#include "viewer/control_bar.h"
#include "viewer/dialog_builder.h"

namespace {

constexpr int margin = 4;  // pixels a control keeps from the client area's edge at the least

// What is wrong with the layout of a window's shown children, one line a fault; empty when none.
std::string layoutFaults(wxWindow& window)
{
    std::string faults;
    const wxSize client = window.GetClientSize();
    std::vector<wxWindow*> controls;
    for (wxWindow* child : window.GetChildren())
        if (child->IsShown()) controls.push_back(child);
    const auto name = [](wxWindow* control) {
        const wxString label = control->GetLabel();
        return std::string((label.empty() ? wxString::Format("id %d", control->GetId()) : label).utf8_str());
    };
    for (wxWindow* control : controls) {
        const wxRect rect = control->GetRect();
        const wxSize best = control->GetBestSize();
        if (rect.width < best.x || rect.height < best.y)
            faults += name(control) + " is " + std::to_string(rect.width) + "x" + std::to_string(rect.height) +
                      ", below its best " + std::to_string(best.x) + "x" + std::to_string(best.y) + "\n";
        // A box that shows a text shows it whole, or is as wide as such a box grows, and scrolls.
        if (auto* box = dynamic_cast<wxTextCtrl*>(control); box != nullptr && !box->IsEditable()) {
            const int textWidth = box->GetSizeFromTextSize(box->GetTextExtent(box->GetValue()).x).x;
            if (rect.width < std::min(textWidth, widestDisplayBox()))
                faults += name(control) + " cuts off its text\n";
        }
        if (rect.x < margin || rect.y < margin || rect.GetRight() >= client.x - margin ||
            rect.GetBottom() >= client.y - margin)
            faults += name(control) + " reaches the edge of the client area\n";
    }
    if (window.IsTopLevel() && !wxGetClientDisplayRect().Contains(window.GetScreenRect()))
        faults += "the window reaches beyond the screen\n";
    for (std::size_t a = 0; a < controls.size(); ++a)
        for (std::size_t b = a + 1; b < controls.size(); ++b) {
            if (dynamic_cast<wxStaticBox*>(controls[a]) || dynamic_cast<wxStaticBox*>(controls[b])) continue;
            if (controls[a]->GetRect().Intersects(controls[b]->GetRect()))
                faults += name(controls[a]) + " overlaps " + name(controls[b]) + "\n";
        }
    return faults;
}

class DialogLayoutTest : public ViewerTest {};

TEST_F(DialogLayoutTest, EveryDialogShowsEveryControlWholeAndApart)
{
    openViewer(threeTowers);
    document().userFields()[0] = UserField{"Date visited for the second time", FieldType::Date, {}, {}};
    document().userFields()[1] = UserField{"Peals", FieldType::Number, {}, {}};
    document().userFields()[2] = UserField{"Remarks", FieldType::String, {}, {}};
    click(frame->listView(), {30, 9});  // Aston
    document().userFields()[2].texts[document().currentTower()->id] = std::string(300, 'r');
    std::map<std::string, std::string> faults;
    const auto check = [&faults](wxDialog& dialog) {
        faults[std::string(dialog.GetTitle().utf8_str())] = layoutFaults(dialog);
    };
    const auto checkAndCancel = [&](wxDialog& dialog) {
        return whenShown(dialog, [&](wxDialog& d) {
            check(d);
            pressButton(d, wxID_CANCEL);
        });
    };
    for (const int command : {idMapOptions, idSelect, idSort, idUserFields}) {
        expectDialog(checkAndCancel);
        frame->runCommand(command);
    }
    expectDialog([&](wxDialog& editor) {
        return whenShown(editor, [&](wxDialog& d) {
            check(d);
            for (const int slot : {0, 1, 2}) {  // Enter Date, Enter Number, Enter Text
                expectDialog(checkAndCancel);
                pressButton(d, towerDetailsId::button(slot));
            }
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(command::editFields);
    expectDialog([&](wxDialog& about) {
        return whenShown(about, [&](wxDialog& d) {
            check(d);
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(wxID_ABOUT);

    ASSERT_EQ(faults.size(), 9u);
    for (const auto& [title, said] : faults) EXPECT_EQ(said, "") << title;

    // The control bar, with every button it can show.
    frame->controlBar()->apply({true, true, true, true, "Aston, Midshire, S Mary"});
    settle();
    EXPECT_EQ(layoutFaults(*frame->controlBar()), "");
}

}  // namespace
