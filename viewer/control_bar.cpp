#include "viewer/control_bar.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "document/command_ids.h"
#include "viewer/dialog_units.h"
#include "viewer/wx_text.h"

namespace {

// The bar's template, in dialog units: 411 wide and 18 high.
constexpr DialogRect barSize{0, 0, 411, 18};
constexpr int textFieldId = 1052;

}  // namespace

ControlBar::ControlBar(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    // Made in template order, which is also the tab order.
    centre_ = makeButton(this, command::centre, "centre", {2, 2, 24, 14});
    edit_ = makeButton(this, command::editFields, "edit", {102, 2, 16, 14});
    www_ = makeButton(this, command::www, "www", {50, 2, 18, 14});
    wwwMap_ = makeButton(this, command::wwwMap, "www map", {68, 2, 34, 14});
    details_ = makeButton(this, command::details, "details", {26, 2, 24, 14});
    text_ = new wxTextCtrl(this, textFieldId, wxEmptyString, position(this, {124, 4, 272, 12}),
                           size(this, {124, 4, 272, 12}), wxTE_READONLY | wxBORDER_NONE);
    SetMinSize(wxSize(-1, size(this, barSize).y));
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
