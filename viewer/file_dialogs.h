#pragma once

#include <functional>
#include <optional>

#include <wx/string.h>

class wxWindow;

enum class FileDialogKind { OpenDocument, SaveDocument, Export, ExportGpx, ExportGeoJson };

// The platform's file dialogs: "Open" and "Save As" for documents (*.bx0), and the dialog of
// Export (*.csv, or any file) and of its GPX (*.gpx) and GeoJSON (*.geojson) forms. The saving
// ones ask before replacing a file. None when cancelled.
std::optional<wxString> runFileDialog(wxWindow* parent, FileDialogKind kind, const wxString& proposed);

// A name typed without an extension gets the dialog's own: ".bx0" for a document, ".csv",
// ".gpx" or ".geojson" for an export.
wxString withDefaultExtension(FileDialogKind kind, const wxString& path);

using FileChooser = std::function<std::optional<wxString>(FileDialogKind, const wxString& proposed)>;
