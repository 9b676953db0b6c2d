#pragma once

#include <optional>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "document/document_dialogs.h"
#include "document/document_views.h"
#include "document/vesk_doc.h"
#include "viewer/document_shell.h"
#include "viewer/file_dialogs.h"

class ControlBar;
class MapView;
class VeskView;
class wxSplitterWindow;

// What the frame needs to make its document.
struct ViewerSetup {
    ViewerFiles files;
    std::string browserCommand;
};

// The main window: the tower list left of the map in a splitter, the control bar along the
// bottom, the menus and the keys. It owns the run's one document, which it shows through its
// views and serves with its dialogs.
class VeskFrame : public wxFrame, public DocumentViews, public DocumentDialogs, public ShellWindow {
public:
    explicit VeskFrame(const ViewerSetup& setup);
    ~VeskFrame() override;

    VeskDoc& document() { return document_; }
    DocumentShell& shell() { return shell_; }
    VeskView* listView() const { return list_; }
    MapView* mapView() const { return map_; }
    ControlBar* controlBar() const { return controlBar_; }
    wxSplitterWindow* splitter() const { return splitter_; }

    // Runs a command id as the menus, keys and control bar send it; false for one nobody takes.
    bool runCommand(int id);
    // Tests choose files without the platform's file dialogs.
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }

    // DocumentViews
    void updateAllViews() override;
    void showControlBar(const ControlBarState& bar) override;
    void beginBusy() override;
    void endBusy() override;
    void showStatus(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void startProgram(const std::string& commandLine) override;
    bool openWithDesktopBrowser(const std::string& address) override;

    // DocumentDialogs
    std::optional<SelectChoice> runSelectDialog(const std::vector<std::string>& fields, const DistanceNote& distance,
                                                const SelectCheck& check) override;
    std::optional<SortRows> runSortDialog(const std::vector<std::string>& fields, const SortRows& shown,
                                          const DistanceNote& distance) override;
    std::optional<MapOptions> runMapOptionsDialog(const MapOptions& shown) override;
    std::optional<UserFieldDefinitions> runUserFieldsDialog(const UserFieldDefinitions& shown) override;
    void runTowerFieldsDialog(TowerFieldEditor& editor) override;
    std::optional<std::filesystem::path> askExportFileName(ExportFormat format) override;

    // ShellWindow
    SaveAnswer askSaveChanges(const wxString& title) override;
    void showTitle(const wxString& title) override;
    void showRecentFiles(const std::vector<wxString>& files) override;
    std::optional<wxString> chooseFileToOpen() override;
    std::optional<wxString> chooseFileToSave(const wxString& proposed) override;

private:
    void onMenu(wxCommandEvent& event);
    void onButton(wxCommandEvent& event);
    void onClose(wxCloseEvent& event);
    // The recent files, into the settings; says so when they cannot be written.
    void saveSettings();
    void DoGiveHelp(const wxString& text, bool show) override;
    void moveFocusToOtherPane();
    void widenList();
    std::optional<wxString> chooseFile(FileDialogKind kind, const wxString& proposed);

    VeskDoc document_;
    DocumentShell shell_;
    FileChooser fileChooser_;
    wxSplitterWindow* splitter_ = nullptr;
    VeskView* list_ = nullptr;
    MapView* map_ = nullptr;
    ControlBar* controlBar_ = nullptr;
    int listWidth_;  // as the user last dragged the sash, or as the first window has it
    int busyDepth_ = 0;
};
