#pragma once

#include <vector>

#include <wx/accel.h>
#include <wx/string.h>

class wxMenu;
class wxMenuBar;

// The frame's menu bar: every entry with its id and its prompt for the message line, and key
// texts that are only shown. Every key is in the frame's accelerator table instead, so that keys
// act whichever pane has the focus and a key text such as "F5" binds nothing.
wxMenuBar* makeMenuBar();

// The toolkit takes menu and key ids only below 0x8000; the commands above it are moved down
// by 0x8000 on their way through the menus and keys, and back on their way to the frame.
int toolkitId(int command);
int commandId(int toolkitId);
wxAcceleratorTable makeAcceleratorTable();

// Puts the recent files in the File menu where its placeholder "Recent File" stands, newest
// first; with none, the placeholder shows disabled.
void showRecentFiles(wxMenu& fileMenu, const std::vector<wxString>& files);
