#pragma once

#include <wx/scrolwin.h>

// A canvas scrolled in whole pixels whose line and page steps are its own, not the toolkit's:
// the scroll bars' arrows and troughs, the mouse wheel and the Page Up, Page Down, Home and End
// keys all move by them.
class PixelScrolledCanvas : public wxScrolledCanvas {
public:
    explicit PixelScrolledCanvas(wxWindow* parent);

protected:
    struct Steps {
        int line = 1;
        int page = 1;
    };
    void setSteps(Steps horizontal, Steps vertical);
    // Scrolls to a position in pixels, held inside the scroll range.
    void scrollToPixels(int x, int y);
    // After every scroll, with the amounts moved in pixels.
    virtual void scrolled(int dx, int dy);

private:
    void onScroll(wxScrollWinEvent& event);
    void onWheel(wxMouseEvent& event);
    void onKey(wxKeyEvent& event);
    int target(int orientation, wxEventType type, int thumbPosition) const;

    Steps horizontal_;
    Steps vertical_;
};
