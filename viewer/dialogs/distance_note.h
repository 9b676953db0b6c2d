#pragma once

#include <span>

#include <wx/combobox.h>
#include <wx/stattext.h>

#include "document/document_dialogs.h"
#include "viewer/wx_text.h"

// The note under Select's and Sort's field lists that says where distances are measured from,
// shown while any of the lists has "distance" chosen.
class DistanceNoteLabel {
public:
    DistanceNoteLabel(wxStaticText* label, std::span<wxComboBox* const> lists, const DistanceNote& note)
        : label_(label), lists_(lists.begin(), lists.end()), note_(note)
    {
        label_->SetLabel(toWx(note.text));
        for (wxComboBox* list : lists_) {
            list->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) {
                update();
                event.Skip();
            });
            list->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
                update();
                event.Skip();
            });
        }
    }

    void update()
    {
        bool shown = false;
        for (const wxComboBox* list : lists_)
            shown = shown || (note_.entry >= 0 && list->GetValue() == list->GetString(note_.entry));
        label_->Show(shown);
    }

private:
    wxStaticText* label_;
    std::vector<wxComboBox*> lists_;
    DistanceNote note_;
};
