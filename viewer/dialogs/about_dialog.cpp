#include "viewer/dialogs/about_dialog.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "viewer/app_icon.h"
#include "viewer/dialog_units.h"

void showAboutBox(wxWindow* parent)
{
    wxDialog dialog(parent, wxID_ANY, "About Belfrix");
    sizeDialog(&dialog, 217, 55);
    const DialogRect icon{11, 17, 20, 20};
    new wxStaticBitmap(&dialog, wxID_ANY, appIcon(), position(&dialog, icon), size(&dialog, icon));
    makeLabel(&dialog, "Belfrix Version 0.5", {40, 10, 119, 8});
    makeLabel(&dialog, "(C) 2026 the Belfrix developers", {40, 25, 131, 8});
    makeButton(&dialog, wxID_OK, "OK", {178, 7, 32, 14})->SetDefault();
    makeLabel(&dialog, "Help and contact: README.md", {40, 34, 111, 8});
    dialog.SetEscapeId(wxID_OK);
    dialog.ShowModal();
}
