#include "viewer/dialogs/sort_dialog.h"

#include <array>

#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/dialogs/distance_note.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

using namespace sortId;
using enum ControlKind;

constexpr ControlRow table[] = {
    {DefaultButton, wxID_OK, "OK", {142, 6, 44, 14}},
    {Button, wxID_CANCEL, "Cancel", {141, 22, 45, 14}},
    {Group, wxID_ANY, "Sort by", {5, 1, 128, 31}},
    {List, field[0], "", {7, 12, 63, 61}},
    {FirstRadio, ascending[0], "Ascending", {76, 8, 49, 10}},
    {Radio, descending[0], "Descending", {76, 18, 54, 10}},
    {Group, wxID_ANY, "Then by", {6, 37, 127, 32}},
    {List, field[1], "", {8, 49, 63, 61}},
    {FirstRadio, ascending[1], "Ascending", {76, 44, 49, 10}},
    {Radio, descending[1], "Descending", {76, 54, 54, 10}},
    {Group, wxID_ANY, "Then by", {5, 74, 128, 31}},
    {List, field[2], "", {7, 85, 63, 61}},
    {FirstRadio, ascending[2], "Ascending", {76, 81, 49, 10}},
    {Radio, descending[2], "Descending", {76, 90, 54, 10}},
    {Label, distanceNote, "", {5, 109, 181, 8}},
};
constexpr int width = 186;
constexpr int height = 120;

class SortDialog : public wxDialog {
public:
    SortDialog(wxWindow* parent, const std::vector<std::string>& fields, const SortRows& shown,
               const DistanceNote& distance)
        : wxDialog(parent, wxID_ANY, "Sort"), rows_(shown)
    {
        DialogControls controls(this, table);
        std::array<wxComboBox*, 3> lists{};
        for (std::size_t k = 0; k < lists.size(); ++k) {
            lists[k] = controls.get<wxComboBox>(field[k]);
            for (const std::string& entry : fields) lists[k]->Append(toWx(entry));
            lists[k]->SetValidator(EntryValidator(rows_[k].fieldEntry));
            descending_[k] = shown[k].descending ? 1 : 0;
            controls.find(ascending[k])->SetValidator(RadioValidator(descending_[k], 0));
            controls.find(descending[k])->SetValidator(RadioValidator(descending_[k], 1));
        }
        // The note holds its text before the layout, which makes room for it.
        note_.emplace(controls.get<wxStaticText>(distanceNote), lists, distance);
        controls.layOut(width, height);
    }

    bool TransferDataToWindow() override
    {
        const bool filled = wxDialog::TransferDataToWindow();
        note_->update();
        return filled;
    }

    SortRows chosen() const
    {
        SortRows rows = rows_;
        for (std::size_t k = 0; k < rows.size(); ++k) rows[k].descending = descending_[k] == 1;
        return rows;
    }

private:
    SortRows rows_;
    std::array<int, 3> descending_{};
    std::optional<DistanceNoteLabel> note_;
};

}  // namespace

std::optional<SortRows> runSortDialog(wxWindow* parent, const std::vector<std::string>& fields,
                                      const SortRows& shown, const DistanceNote& distance)
{
    SortDialog dialog(parent, fields, shown, distance);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosen();
}
