#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include <wx/window.h>

#include "document/dialog_layout.h"

// A dialog (or the control bar) as its template draws it: one row a control, in tab order.
enum class ControlKind {
    Button,
    DefaultButton,  // pressed by Return
    SmallButton,    // just wide enough for its label, as in the control bar
    Label,
    Group,
    Edit,           // one line, with a border
    Display,        // one line the user reads but cannot change, no border, on the dialog's ground
    Check,
    FirstRadio,     // starts a group of radio buttons
    Radio,
    List,           // a drop-down list that takes only its entries; the rectangle's height is the
                    // dropped-down list's
    SortedList,
    TypedList,      // a drop-down list whose entries can also be typed
    Icon,           // the application's icon
};

// The platform's one-line box holds this many bytes of its UTF-8 text and cuts a longer one short
// without a word.
inline constexpr std::size_t mostBoxBytes = 65534;
bool fitsOneLineBox(const wxString& text);

// The widest a Display box grows for its text: the screen but for 400 pixels, or but for half
// of a smaller screen, which leaves the dialog room on the screen for its other controls.
int widestDisplayBox();

struct ControlRow {
    ControlKind kind;
    int id;                 // wxID_ANY for a control nothing refers to
    std::string_view text;  // label, or the text a box starts with
    DialogRect rect;
};

// The controls of a template, made in table order on their parent. Lists are filled and
// validators set on the controls found by id; then layOut places them all.
class DialogControls {
public:
    DialogControls(wxWindow* parent, std::span<const ControlRow> table);

    wxWindow* find(int id) const;
    template <typename Control>
    Control* get(int id) const
    {
        return static_cast<Control*>(find(id));
    }

    // Places every control at least at its best size in the template's arrangement, and gives
    // the parent a client area of the template's width x height units grown to hold them.
    void layOut(int width, int height);

private:
    wxWindow* parent_;
    std::vector<ControlRow> table_;
    std::vector<wxWindow*> controls_;
};
