#pragma once

#include <string_view>

#include <wx/gdicmn.h>

class wxButton;
class wxCheckBox;
class wxComboBox;
class wxDialog;
class wxRadioButton;
class wxStaticBox;
class wxStaticText;
class wxTextCtrl;
class wxWindow;

// Controls placed where resource templates put them: rectangles in dialog units (left, top,
// width, height), turned into pixels by the font of the window they are made in. The tab order
// is the order they are made in.
struct DialogRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

wxPoint position(wxWindow* window, DialogRect rect);
wxSize size(wxWindow* window, DialogRect rect);

// A modal dialog's client area of width x height dialog units.
void sizeDialog(wxDialog* dialog, int width, int height);

wxButton* makeButton(wxWindow* parent, int id, std::string_view label, DialogRect rect);
wxStaticText* makeLabel(wxWindow* parent, std::string_view text, DialogRect rect);
wxStaticBox* makeGroup(wxWindow* parent, std::string_view label, DialogRect rect);
// An edit box with a border; style adds to it (read-only, several lines, no border, ...).
wxTextCtrl* makeEdit(wxWindow* parent, int id, DialogRect rect, long style = 0);
wxCheckBox* makeCheck(wxWindow* parent, int id, std::string_view label, DialogRect rect);
// firstOfGroup starts a new group of radio buttons.
wxRadioButton* makeRadio(wxWindow* parent, int id, std::string_view label, DialogRect rect,
                         bool firstOfGroup);
// A drop-down list with an edit field, at the natural height of the toolkit's combo boxes: the
// rectangle's height is that of the dropped-down list.
wxComboBox* makeCombo(wxWindow* parent, int id, DialogRect rect, long style = 0);
