#pragma once

#include <string>

#include "document/control_bar.h"

// What the document asks of the windows that show it. The viewer's frame implements it; the
// document's tests implement it with a recorder.
class DocumentViews {
public:
    virtual ~DocumentViews() = default;

    // Every view recomputes all it shows from the document and repaints whole.
    virtual void updateAllViews() = 0;
    virtual void showControlBar(const ControlBarState& bar) = 0;
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
    // A line of text in the map's status line, until the mouse or a menu says something else.
    virtual void showStatus(const std::string& text) = 0;
    // A modal box titled "Belfrix" with only an OK button.
    virtual void showMessage(const std::string& text) = 0;
    // Starts a program from a command line; whether it started is not reported.
    virtual void startProgram(const std::string& commandLine) = 0;
    // Shows a web address in the desktop's own browser; false when none could be started.
    virtual bool openWithDesktopBrowser(const std::string& address) = 0;
};
