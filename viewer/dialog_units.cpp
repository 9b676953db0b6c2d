#include "viewer/dialog_units.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "viewer/wx_text.h"

wxPoint position(wxWindow* window, DialogRect rect)
{
    return window->ConvertDialogToPixels(wxPoint(rect.left, rect.top));
}

wxSize size(wxWindow* window, DialogRect rect)
{
    return window->ConvertDialogToPixels(wxSize(rect.width, rect.height));
}

void sizeDialog(wxDialog* dialog, int width, int height)
{
    dialog->SetClientSize(size(dialog, {0, 0, width, height}));
}

wxButton* makeButton(wxWindow* parent, int id, std::string_view label, DialogRect rect)
{
    return new wxButton(parent, id, toWx(label), position(parent, rect), size(parent, rect));
}

wxStaticText* makeLabel(wxWindow* parent, std::string_view text, DialogRect rect)
{
    return new wxStaticText(parent, wxID_ANY, toWx(text), position(parent, rect), size(parent, rect));
}

wxStaticBox* makeGroup(wxWindow* parent, std::string_view label, DialogRect rect)
{
    return new wxStaticBox(parent, wxID_ANY, toWx(label), position(parent, rect), size(parent, rect));
}

wxTextCtrl* makeEdit(wxWindow* parent, int id, DialogRect rect, long style)
{
    return new wxTextCtrl(parent, id, wxEmptyString, position(parent, rect), size(parent, rect), style);
}

wxCheckBox* makeCheck(wxWindow* parent, int id, std::string_view label, DialogRect rect)
{
    return new wxCheckBox(parent, id, toWx(label), position(parent, rect), size(parent, rect));
}

wxRadioButton* makeRadio(wxWindow* parent, int id, std::string_view label, DialogRect rect,
                         bool firstOfGroup)
{
    return new wxRadioButton(parent, id, toWx(label), position(parent, rect), size(parent, rect),
                             firstOfGroup ? wxRB_GROUP : 0);
}

wxComboBox* makeCombo(wxWindow* parent, int id, DialogRect rect, long style)
{
    const wxSize width(size(parent, rect).x, wxDefaultCoord);
    return new wxComboBox(parent, id, wxEmptyString, position(parent, rect), width, 0, nullptr,
                          wxCB_DROPDOWN | style);
}
