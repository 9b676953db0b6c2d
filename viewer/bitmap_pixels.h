#pragma once

#include <cstdint>
#include <memory>

#include "document/map_geometry.h"

class wxBitmap;

// Writes single pixels straight into a bitmap, which no device context may hold meanwhile:
// thousands of them cost less than one stroke through the drawing calls. Pixels outside the
// bitmap are left out. The bitmap shows them once this is gone.
class BitmapPixels {
public:
    explicit BitmapPixels(wxBitmap& bitmap);
    ~BitmapPixels();
    BitmapPixels(const BitmapPixels&) = delete;
    BitmapPixels& operator=(const BitmapPixels&) = delete;

    void set(CanvasPoint at, PenColour colour);

private:
    class Access;
    std::unique_ptr<Access> access_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};
