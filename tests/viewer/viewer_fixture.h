#pragma once

#include <gtest/gtest.h>

#include <string>

#include <wx/uiaction.h>

#include "tests/support/temporary_folder.h"
#include "tests/viewer/gui_support.h"
#include "viewer/list_view.h"
#include "viewer/map_view.h"
#include "viewer/vesk_frame.h"

class wxWindow;

// The viewer's frame on a directory compiled into a fresh folder, shown and painted. The
// working folder's settings are the test's own.
class ViewerTest : public testing::Test {
protected:
    // A directory compiled from the source text (the project's sample directory by default),
    // with the project's outline map or none.
    enum class Outline { Sample, None };
    void openViewer(const std::string& sourceText, Outline outline = Outline::Sample);
    void TearDown() override;

    VeskDoc& document() { return frame->document(); }
    const Tower* towerNamed(const std::string& place) const;
    // Display position of a tower in the list.
    std::int32_t displayPositionOf(const Tower* tower) const;

    // Real input through the X server, at a point of a window's client area.
    void click(wxWindow* window, wxPoint point);
    void doubleClick(wxWindow* window, wxPoint point);
    void moveMouse(wxWindow* window, wxPoint point);
    void pressKey(int keyCode, int modifiers = wxMOD_NONE);
    void typeText(const char* text);

    TemporaryFolder folder;
    VeskFrame* frame = nullptr;
    wxUIActionSimulator input;
};

// The sample directory's source text.
std::string sampleSource();

// Aston on the default centre with eight bells, Bexley 25 km east of it with six, Dunton in
// square SU with ten.
inline const std::string threeTowers =
    "NG\\FULL\\Place\\Dedicn\\Bells\n"
    "TQ102665\\Midshire\\Aston\\S Mary\\8\n"
    "TQ352665\\Midshire\\Bexley\\S John\\6\n"
    "SU123456\\Hants\\Dunton\\S Mary\\10\n";
