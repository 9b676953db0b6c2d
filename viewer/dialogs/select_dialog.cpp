#include "viewer/dialogs/select_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>

#include "viewer/dialog_units.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

class SelectDialog : public wxDialog {
public:
    SelectDialog(wxWindow* parent, const std::vector<std::string>& fields)
        : wxDialog(parent, wxID_ANY, "Select")
    {
        sizeDialog(this, 186, 103);
        makeButton(this, wxID_OK, "OK", {129, 7, 50, 14})->SetDefault();
        makeButton(this, wxID_CANCEL, "Cancel", {129, 24, 50, 14});
        // The list shows no entry at first, yet stands for its first entry until the user has
        // been in it.
        wxComboBox* list = makeCombo(this, 1011, {7, 12, 63, 61});
        for (const std::string& field : fields) list->Append(toWx(field));
        list->SetValidator(EntryValidator(choice_.fieldEntry, EntryValidator::Start::ShowNone));
        makeGroup(this, "Select by", {1, 1, 121, 101});
        makeEdit(this, 1005, {26, 35, 33, 14})->SetValidator(TextValidator(choice_.fromText));
        makeEdit(this, 1006, {75, 35, 37, 14})->SetValidator(TextValidator(choice_.toText));
        makeLabel(this, "to", {63, 35, 8, 8});
        makeLabel(this, "From", {6, 35, 16, 8});
        makeCheck(this, 1008, "Exclude", {76, 14, 41, 10})->SetValidator(wxGenericValidator(&choice_.exclude));
        makeRadio(this, 1012, "AND", {5, 64, 31, 10}, true)->SetValidator(RadioValidator(mode_, 0));
        makeRadio(this, 1015, "OR", {5, 76, 27, 10}, false)->SetValidator(RadioValidator(mode_, 1));
        makeRadio(this, 1013, "XOR", {5, 88, 31, 10}, false)->SetValidator(RadioValidator(mode_, 2));
        makeGroup(this, "Combine with existing selection", {1, 53, 121, 49});
        makeRadio(this, 1016, "Invert Selection", {40, 64, 65, 10}, false)->SetValidator(RadioValidator(mode_, 3));
        makeRadio(this, 1014, "Undo Last Selection", {40, 76, 80, 10}, false)->SetValidator(RadioValidator(mode_, 4));
        makeRadio(this, 1017, "Select All", {40, 88, 45, 10}, false)->SetValidator(RadioValidator(mode_, 5));
    }

    SelectChoice chosen() const
    {
        SelectChoice choice = choice_;
        choice.mode = static_cast<StepMode>(mode_);
        return choice;
    }

private:
    SelectChoice choice_;
    int mode_ = 0;
};

}  // namespace

std::optional<SelectChoice> runSelectDialog(wxWindow* parent, const std::vector<std::string>& fields)
{
    SelectDialog dialog(parent, fields);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosen();
}
