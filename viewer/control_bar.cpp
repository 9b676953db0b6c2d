#include "viewer/control_bar.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "document/command_ids.h"
#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/wx_text.h"

namespace {

using enum ControlKind;

// The bar's template, 411 x 18 dialog units, in tab order.
constexpr ControlRow table[] = {
    {SmallButton, command::centre, "centre", {2, 2, 24, 14}},
    {SmallButton, command::editFields, "edit", {102, 2, 16, 14}},
    {SmallButton, command::www, "www", {50, 2, 18, 14}},
    {SmallButton, command::wwwMap, "www map", {68, 2, 34, 14}},
    {SmallButton, command::details, "details", {26, 2, 24, 14}},
    {Display, controlBarId::text, "", {124, 4, 272, 12}},
};
constexpr int width = 411;
constexpr int height = 18;

}  // namespace

ControlBar::ControlBar(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    DialogControls controls(this, table);
    centre_ = controls.get<wxButton>(command::centre);
    edit_ = controls.get<wxButton>(command::editFields);
    www_ = controls.get<wxButton>(command::www);
    wwwMap_ = controls.get<wxButton>(command::wwwMap);
    details_ = controls.get<wxButton>(command::details);
    text_ = controls.get<wxTextCtrl>(controlBarId::text);
    controls.layOut(width, height);
    SetMinSize(wxSize(wxDefaultCoord, GetClientSize().y));
    apply({});
}

void ControlBar::apply(const ControlBarState& state)
{
    centre_->Show(state.centre);
    details_->Show(state.details);
    www_->Show(state.www);
    wwwMap_->Show(state.wwwMap);
    edit_->Hide();
    text_->ChangeValue(toWx(state.text));
}

wxButton* ControlBar::button(int id) const
{
    for (wxButton* button : {centre_, edit_, www_, wwwMap_, details_})
        if (button->GetId() == id) return button;
    return nullptr;
}
