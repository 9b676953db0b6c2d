#pragma once

#include <optional>
#include <vector>

#include <wx/filehistory.h>
#include <wx/string.h>

class VeskDoc;
class wxConfigBase;

enum class SaveAnswer { Yes, No, Cancel };

// What the shell asks of the frame.
class ShellWindow {
public:
    virtual ~ShellWindow() = default;
    // "Save changes to <title>?"
    virtual SaveAnswer askSaveChanges(const wxString& title) = 0;
    virtual void showTitle(const wxString& title) = 0;
    virtual void showRecentFiles(const std::vector<wxString>& files) = 0;
    // The Open and Save As file dialogs; none when cancelled.
    virtual std::optional<wxString> chooseFileToOpen() = 0;
    virtual std::optional<wxString> chooseFileToSave(const wxString& proposed) = 0;
};

// The single-document shell around the one document of the run: File New, Open, Save, Save As
// and the recent files, the document's file name and the window title that follows it.
class DocumentShell {
public:
    DocumentShell(VeskDoc& document, ShellWindow& window);

    // The recent-file list kept in the settings.
    void loadRecentFiles(wxConfigBase& settings);
    void saveRecentFiles(wxConfigBase& settings);

    // Each of these first offers to save changes the document holds, and does nothing when the
    // user cancels or the save fails.
    bool newDocument();
    bool open();
    bool openFile(const wxString& path);
    bool openRecentFile(int index);
    bool save();
    bool saveAs();
    // Whether the document may go: it holds no unsaved changes, or the user saved them or let
    // them go.
    bool mayDropDocument();

    // "Vesk Document" until a file was opened or saved, then the file's name.
    wxString title() const;
    const wxString& path() const { return path_; }
    std::vector<wxString> recentFiles() const;

private:
    bool saveTo(const wxString& path);
    void fileIsNow(const wxString& path);
    void showRecentFiles();

    VeskDoc& document_;
    ShellWindow& window_;
    wxString path_;
    wxFileHistory history_;
};
