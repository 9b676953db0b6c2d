#include "viewer/dialogs/sort_dialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>

#include "viewer/dialog_units.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

// One row of the dialog's template: its group box, field list and direction buttons.
struct RowLayout {
    std::string_view label;
    DialogRect group;
    int listId;
    DialogRect list;
    int ascendingId;
    DialogRect ascending;
    int descendingId;
    DialogRect descending;
};

constexpr RowLayout rowLayouts[] = {
    {"Sort by", {5, 1, 128, 31}, 1003, {7, 12, 63, 61}, 1000, {76, 8, 49, 10}, 1001, {76, 18, 54, 10}},
    {"Then by", {6, 37, 127, 32}, 1011, {8, 49, 63, 61}, 1009, {76, 44, 49, 10}, 1010, {76, 54, 54, 10}},
    {"Then by", {5, 74, 128, 31}, 1005, {7, 85, 63, 61}, 1002, {76, 81, 49, 10}, 1004, {76, 90, 54, 10}},
};

class SortDialog : public wxDialog {
public:
    SortDialog(wxWindow* parent, const std::vector<std::string>& fields, const SortRows& shown)
        : wxDialog(parent, wxID_ANY, "Sort"), rows_(shown)
    {
        sizeDialog(this, 186, 111);
        makeButton(this, wxID_OK, "OK", {142, 6, 44, 14})->SetDefault();
        makeButton(this, wxID_CANCEL, "Cancel", {141, 22, 45, 14});
        for (std::size_t k = 0; k < std::size(rowLayouts); ++k) {
            const RowLayout& row = rowLayouts[k];
            descending_[k] = shown[k].descending ? 1 : 0;
            makeGroup(this, row.label, row.group);
            wxComboBox* list = makeCombo(this, row.listId, row.list);
            for (const std::string& field : fields) list->Append(toWx(field));
            list->SetValidator(EntryValidator(rows_[k].fieldEntry));
            makeRadio(this, row.ascendingId, "Ascending", row.ascending, true)
                ->SetValidator(RadioValidator(descending_[k], 0));
            makeRadio(this, row.descendingId, "Descending", row.descending, false)
                ->SetValidator(RadioValidator(descending_[k], 1));
        }
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
};

}  // namespace

std::optional<SortRows> runSortDialog(wxWindow* parent, const std::vector<std::string>& fields,
                                      const SortRows& shown)
{
    SortDialog dialog(parent, fields, shown);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosen();
}
