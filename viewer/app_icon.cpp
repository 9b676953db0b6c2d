#include "viewer/app_icon.h"

#include <wx/bitmap.h>
#include <wx/imagpng.h>

#include "viewer/app_icon_png.inc"

wxIcon appIcon()
{
    // Outside Windows and macOS, PNG bytes become a bitmap only through the image handler.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap::NewFromPNGData(app_icon_png, sizeof app_icon_png));
    return icon;
}
