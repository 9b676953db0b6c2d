#pragma once

#include <wx/panel.h>

#include "document/control_bar.h"

class wxButton;
class wxTextCtrl;

// The bar along the bottom of the frame: the buttons "centre", "details", "www", "www map" and
// the never shown "edit", and the current tower's one-line description. A click sends the
// button's id to the frame as a command.
class ControlBar : public wxPanel {
public:
    explicit ControlBar(wxWindow* parent);

    void apply(const ControlBarState& state);

    wxButton* button(int id) const;
    wxTextCtrl* textField() const { return text_; }

private:
    wxButton* centre_ = nullptr;
    wxButton* edit_ = nullptr;
    wxButton* www_ = nullptr;
    wxButton* wwwMap_ = nullptr;
    wxButton* details_ = nullptr;
    wxTextCtrl* text_ = nullptr;
};
