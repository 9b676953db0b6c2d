#include "viewer/app_icon.h"

#ifdef __WXMSW__

// The program's icon resource (viewer/belfrix.rc), which Explorer shows too.
wxIcon appIcon() { return wxIcon("aaaa_belfrix", wxBITMAP_TYPE_ICO_RESOURCE, 32, 32); }

#else

#include <wx/bitmap.h>
#include <wx/imagpng.h>

#include "viewer/app_icon_png.inc"

wxIcon appIcon()
{
    // PNG bytes become a bitmap only through the image handler.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap::NewFromPNGData(app_icon_png, sizeof app_icon_png));
    return icon;
}

#endif
