#include "viewer/bitmap_pixels.h"

#include <wx/bitmap.h>
#include <wx/rawbmp.h>

#ifdef __WXGTK3__
#include <cairo.h>
#endif

#ifdef __WXGTK3__

// GTK's bitmaps are cairo image surfaces once drawn on, 32 bits a pixel, written in place.
class BitmapPixels::Access {
public:
    explicit Access(wxBitmap& bitmap)
        : context_(bitmap.CairoCreate()), surface_(cairo_get_target(context_))
    {
        cairo_surface_flush(surface_);
        const cairo_format_t format = cairo_image_surface_get_format(surface_);
        if (cairo_surface_get_type(surface_) == CAIRO_SURFACE_TYPE_IMAGE
            && (format == CAIRO_FORMAT_RGB24 || format == CAIRO_FORMAT_ARGB32)) {
            data_ = cairo_image_surface_get_data(surface_);
            stride_ = cairo_image_surface_get_stride(surface_);
        }
    }
    ~Access()
    {
        cairo_surface_mark_dirty(surface_);
        cairo_destroy(context_);
    }
    bool ready() const { return data_ != nullptr; }
    void set(CanvasPoint at, PenColour colour)
    {
        auto* pixel = reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(at.y) * stride_) + at.x;
        *pixel = 0xFF000000u | std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
    }

private:
    cairo_t* context_;
    cairo_surface_t* surface_;
    unsigned char* data_ = nullptr;
    int stride_ = 0;
};

#else

class BitmapPixels::Access {
public:
    explicit Access(wxBitmap& bitmap) : data_(bitmap), pixel_(data_) {}
    bool ready() const { return static_cast<bool>(data_); }
    void set(CanvasPoint at, PenColour colour)
    {
        pixel_.MoveTo(data_, at.x, at.y);
        pixel_.Red() = colour.red;
        pixel_.Green() = colour.green;
        pixel_.Blue() = colour.blue;
    }

private:
    wxNativePixelData data_;
    wxNativePixelData::Iterator pixel_;
};

#endif

BitmapPixels::BitmapPixels(wxBitmap& bitmap)
    : access_(std::make_unique<Access>(bitmap)), width_(bitmap.GetWidth()), height_(bitmap.GetHeight())
{
    wxASSERT_MSG(access_->ready(), "no direct access to the bitmap's pixels");
}

BitmapPixels::~BitmapPixels() = default;

void BitmapPixels::set(CanvasPoint at, PenColour colour)
{
    if (!access_->ready() || at.x < 0 || at.y < 0 || at.x >= width_ || at.y >= height_) return;
    access_->set(at, colour);
}
