#pragma once

#include <wx/app.h>
#include <wx/string.h>

class wxConfigBase;
class VeskFrame;

// Start-up as the viewer does it: settings, the frame, then a new document from the working
// folder's files or the document file named. None when that file cannot be read; the message
// has been shown by then.
VeskFrame* startViewer(const wxString& documentFile, wxConfigBase& settings);

// The application: settings under the vendor's name, the recent files, the command line (empty,
// or a document file to open).
class BelfrixApp : public wxApp {
public:
    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    // Whatever escapes a command is said, never left unexplained; the viewer goes on, so that
    // unsaved work can still be saved.
    bool OnExceptionInMainLoop() override;

    // The command line's bytes, given before the toolkit reads it: the toolkit leaves out an
    // argument that is not in the system's character encoding, which is then said rather than
    // passed over.
    static void keepCommandLine(int argc, char** argv);

private:
    wxString documentFile_;
};

// Names the settings after the application and its vendor and keeps them in the desktop's
// configuration folder, which is made when missing.
void useViewerSettings(wxApp& app);
