#pragma once

#include <optional>
#include <vector>

#include <wx/accel.h>
#include <wx/defs.h>
#include <wx/string.h>

class wxMenu;
class wxMenuBar;

// The viewer's own menu and key commands. File, Edit and Help use the toolkit's standard ids
// (wxID_NEW, wxID_OPEN, ..., wxID_FILE1 to wxID_FILE4 for the recent files, wxID_ABOUT); the
// control bar's buttons carry the document's own command numbers.
enum ViewerCommand : int {
    idExportCsv = wxID_HIGHEST + 1,
    idExportGpx,
    idExportGeoJson,
    idPrintDirect,  // print without the print dialog; no menu entry sends it
    idToolbar,
    idStatusBar,
    idMapOptions,
    idZoomIn,
    idZoomOut,
    idNorth,
    idSouth,
    idEast,
    idWest,
    idSelect,
    idSort,
    idUserFields,
    idNextPane,
    idPreviousPane,
};

// The document's command that a menu entry or key sends; none for the frame's own commands.
std::optional<int> documentCommand(int id);

// The frame's menu bar: every entry with its id, its key text and its prompt for the message
// line.
wxMenuBar* makeMenuBar();
// Every key is in the frame's accelerator table, so that keys act whichever pane has the focus.
wxAcceleratorTable makeAcceleratorTable();

// Puts the recent files in the File menu where its placeholder "Recent File" stands, newest
// first; with none, the placeholder shows disabled.
void showRecentFiles(wxMenu& fileMenu, const std::vector<wxString>& files);
