#include "viewer/dialogs/select_dialog.h"

#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/valgen.h>

#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/dialogs/distance_note.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

using namespace selectId;
using enum ControlKind;

constexpr ControlRow table[] = {
    {DefaultButton, wxID_OK, "OK", {129, 7, 50, 14}},
    {Button, wxID_CANCEL, "Cancel", {129, 24, 50, 14}},
    {TypedList, field, "", {7, 12, 63, 61}},
    {Group, wxID_ANY, "Select by", {1, 1, 121, 101}},
    {Edit, from, "", {26, 35, 33, 14}},
    {Edit, to, "", {75, 35, 37, 14}},
    {Label, wxID_ANY, "to", {63, 35, 8, 8}},
    {Label, wxID_ANY, "From", {6, 35, 16, 8}},
    {Check, exclude, "Exclude", {76, 14, 41, 10}},
    {FirstRadio, andMode, "AND", {5, 64, 31, 10}},
    {Radio, orMode, "OR", {5, 76, 27, 10}},
    {Radio, xorMode, "XOR", {5, 88, 31, 10}},
    {Group, wxID_ANY, "Combine with existing selection", {1, 53, 121, 49}},
    {Radio, invert, "Invert Selection", {40, 64, 65, 10}},
    {Radio, undoLast, "Undo Last Selection", {40, 76, 80, 10}},
    {Radio, selectAll, "Select All", {40, 88, 45, 10}},
    {Label, distanceNote, "", {1, 106, 185, 8}},
};
constexpr int width = 186;
constexpr int height = 116;

class SelectDialog : public wxDialog {
public:
    SelectDialog(wxWindow* parent, const std::vector<std::string>& fields, const DistanceNote& distance,
                 const SelectCheck& check)
        : wxDialog(parent, wxID_ANY, "Select"), check_(check)
    {
        DialogControls controls(this, table);
        // The list shows no entry at first, yet stands for its first entry until the user has
        // been in it.
        auto* list = controls.get<wxComboBox>(field);
        for (const std::string& entry : fields) list->Append(toWx(entry));
        list->SetValidator(EntryValidator(choice_.fieldEntry, EntryValidator::Start::ShowNone));
        controls.find(from)->SetValidator(TextValidator(choice_.fromText));
        controls.find(to)->SetValidator(TextValidator(choice_.toText));
        controls.find(exclude)->SetValidator(wxGenericValidator(&choice_.exclude));
        const int modes[] = {andMode, orMode, xorMode, invert, undoLast, selectAll};
        for (int position = 0; position < 6; ++position)
            controls.find(modes[position])->SetValidator(RadioValidator(mode_, position));
        // The note holds its text before the layout, which makes room for it.
        wxComboBox* const lists[] = {list};
        note_.emplace(controls.get<wxStaticText>(distanceNote), lists, distance);
        controls.layOut(width, height);
    }

    bool TransferDataToWindow() override
    {
        const bool filled = wxDialog::TransferDataToWindow();
        note_->update();
        return filled;
    }

    bool TransferDataFromWindow() override
    {
        if (!wxDialog::TransferDataFromWindow()) return false;
        const std::optional<SelectRefusal> refused = check_(chosen());
        if (!refused) return true;
        const int boxes[] = {field, from, to};
        refuseTyped(*FindWindow(boxes[static_cast<int>(refused->box)]), toWx(refused->message), this);
        return false;
    }

    SelectChoice chosen() const
    {
        SelectChoice choice = choice_;
        choice.mode = static_cast<StepMode>(mode_);
        return choice;
    }

private:
    const SelectCheck& check_;
    SelectChoice choice_;
    int mode_ = 0;
    std::optional<DistanceNoteLabel> note_;
};

}  // namespace

std::optional<SelectChoice> runSelectDialog(wxWindow* parent, const std::vector<std::string>& fields,
                                            const DistanceNote& distance, const SelectCheck& check)
{
    SelectDialog dialog(parent, fields, distance, check);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosen();
}
