#include "viewer/dialogs/about_dialog.h"

#include <wx/dialog.h>

#include "viewer/dialog_builder.h"

namespace {

using enum ControlKind;

constexpr ControlRow table[] = {
    {Icon, wxID_ANY, "", {11, 17, 20, 20}},
    {Label, wxID_ANY, "Belfrix Version 0.5", {40, 10, 119, 8}},
    {Label, wxID_ANY, "(C) 2026 the Belfrix developers", {40, 25, 131, 8}},
    {DefaultButton, wxID_OK, "OK", {178, 7, 32, 14}},
    {Label, wxID_ANY, "Help and contact: README.md", {40, 34, 111, 8}},
};
constexpr int width = 217;
constexpr int height = 55;

}  // namespace

void showAboutBox(wxWindow* parent)
{
    wxDialog dialog(parent, wxID_ANY, "About Belfrix");
    DialogControls(&dialog, table).layOut(width, height);
    dialog.SetEscapeId(wxID_OK);
    dialog.ShowModal();
}
