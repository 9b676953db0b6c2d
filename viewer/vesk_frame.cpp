#include "viewer/vesk_frame.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statline.h>
#include <wx/utils.h>

#include "viewer/app_icon.h"
#include "viewer/browser.h"
#include "viewer/control_bar.h"
#include "viewer/dialogs/about_dialog.h"
#include "viewer/dialogs/options_dialog.h"
#include "viewer/dialogs/select_dialog.h"
#include "viewer/dialogs/sort_dialog.h"
#include "viewer/dialogs/tower_fields_dialog.h"
#include "viewer/dialogs/user_fields_dialog.h"
#include "viewer/file_dialogs.h"
#include "viewer/frame_menus.h"
#include "viewer/frame_texts.h"
#include "viewer/list_view.h"
#include "viewer/map_view.h"
#include "viewer/printing.h"
#include "viewer/wx_text.h"

namespace {

constexpr int listPaneWidth = 600;
const wxSize firstFrameSize(1200, 800);
// Room enough in either pane for its scroll bars, which the toolkit cannot draw in less.
constexpr int smallestPaneWidth = 80;
const wxSize smallestFrameSize(400, 300);

// The first size, or the whole screen where that is smaller, so that menus and bar stay in view.
wxSize firstSizeOnScreen()
{
    const wxRect screen = wxGetClientDisplayRect();
    return {std::min(firstFrameSize.x, screen.width), std::min(firstFrameSize.y, screen.height)};
}

}  // namespace

VeskFrame::VeskFrame(const ViewerSetup& setup)
    : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, firstSizeOnScreen()),
      document_(*this, *this, setup.browserCommand, setup.files),
      shell_(document_, *this),
      fileChooser_([this](FileDialogKind kind, const wxString& proposed) {
          return runFileDialog(this, kind, proposed);
      })
{
    document_.readDirectoryAhead();
    SetIcon(appIcon());
    SetMenuBar(makeMenuBar());
    SetAcceleratorTable(makeAcceleratorTable());

    splitter_ = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxSP_3D | wxSP_LIVE_UPDATE);
    splitter_->SetMinimumPaneSize(smallestPaneWidth);
    list_ = new VeskView(splitter_, document_, [this](const wxString& text) { map_->setStatusText(text); });
    map_ = new MapView(splitter_, document_);
    splitter_->SplitVertically(list_, map_, listPaneWidth);
    listWidth_ = listPaneWidth;
    controlBar_ = new ControlBar(this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(splitter_, 1, wxEXPAND);
    sizer->Add(new wxStaticLine(this), 0, wxEXPAND);
    sizer->Add(controlBar_, 0, wxEXPAND);
    SetSizer(sizer);
    SetMinSize(smallestFrameSize);

    showTitle(shell_.title());
    Bind(wxEVT_MENU, &VeskFrame::onMenu, this);
    Bind(wxEVT_BUTTON, &VeskFrame::onButton, this);
    Bind(wxEVT_CLOSE_WINDOW, &VeskFrame::onClose, this);
    // The list keeps its width when the frame grows; some window managers give the frame its
    // final size only after it is shown, and a sash set earlier comes out a fraction of it.
    splitter_->SetSashGravity(0);
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) CallAfter([this] { splitter_->SetSashPosition(listPaneWidth); });
        event.Skip();
    });
    // A frame made too small for the list narrows it; grown again, the list takes back the width
    // the user last gave it. Only the user's drags are asked about first: the splitter's own
    // changes on resizing tell of the change alone.
    splitter_->Bind(wxEVT_SPLITTER_SASH_POS_CHANGING, [this](wxSplitterEvent& event) {
        if (event.GetSashPosition() > 0) listWidth_ = event.GetSashPosition();
        event.Skip();
    });
    splitter_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CallAfter([this] { widenList(); });
    });
}

void VeskFrame::widenList()
{
    const int room = splitter_->GetClientSize().x - splitter_->GetSashSize() - splitter_->GetMinimumPaneSize();
    const int wanted = std::min(listWidth_, room);
    if (wanted > splitter_->GetSashPosition()) splitter_->SetSashPosition(wanted);
}

VeskFrame::~VeskFrame() = default;

// --- Commands ------------------------------------------------------------------------------------

bool VeskFrame::runCommand(int id)
{
    if (id >= wxID_FILE1 && id < wxID_FILE1 + recentFileCount) {
        shell_.openRecentFile(id - wxID_FILE1);
        return true;
    }
    switch (id) {
    case wxID_NEW: shell_.newDocument(); return true;
    case wxID_OPEN: shell_.open(); return true;
    case wxID_SAVE: shell_.save(); return true;
    case wxID_SAVEAS: shell_.saveAs(); return true;
    case wxID_PRINT: printList(*this, document_, PrintRequest::WithDialog); return true;
    case idPrintDirect: printList(*this, document_, PrintRequest::WithoutDialog); return true;
    case wxID_PREVIEW: {
        // The keys go back to the pane that had them once the preview's window has gone.
        wxWindow* pane = FindFocus() == map_->canvas() ? static_cast<wxWindow*>(map_->canvas()) : list_;
        previewList(*this, document_, [this, pane] {
            Raise();
            pane->SetFocus();
        });
        return true;
    }
    case wxID_PRINT_SETUP: runPrintSetup(*this); return true;
    case wxID_EXIT: Close(); return true;
    case wxID_ABOUT: showAboutBox(this); return true;
    case idNextPane:
    case idPreviousPane: moveFocusToOtherPane(); return true;
    default: break;
    }
    // The control bar's buttons carry the document's own numbers.
    return document_.onCommand(documentCommand(id).value_or(id));
}

void VeskFrame::onMenu(wxCommandEvent& event)
{
    if (!runCommand(event.GetId())) event.Skip();
}

void VeskFrame::onButton(wxCommandEvent& event)
{
    if (!runCommand(event.GetId())) event.Skip();
}

void VeskFrame::moveFocusToOtherPane()
{
    wxWindow* focus = FindFocus();
    const bool inList = focus == list_;
    if (inList)
        map_->canvas()->SetFocus();
    else
        list_->SetFocus();
}

void VeskFrame::onClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !shell_.mayDropDocument()) {
        event.Veto();
        return;
    }
    saveSettings();
    event.Skip();
}

void VeskFrame::saveSettings()
{
    bool saved = false;
    {
        // The toolkit's own report would wait until the application is gone, and fail then.
        wxLogNull quiet;
        shell_.saveRecentFiles(*wxConfigBase::Get());
        saved = wxConfigBase::Get()->Flush();
        // Not tried again, silently, as the program ends.
        if (!saved) {
            if (auto* file = dynamic_cast<wxFileConfig*>(wxConfigBase::Get())) file->DisableAutoSave();
            delete wxConfigBase::Set(nullptr);
        }
    }
    if (!saved)
        wxMessageBox("The list of recently used files could not be saved in " +
                         wxFileConfig::GetLocalFileName(wxTheApp->GetAppName()) + ".",
                     toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, this);
}

void VeskFrame::DoGiveHelp(const wxString& text, bool show)
{
    map_->setStatusText(show ? text : toWx(readyText));
}

// --- DocumentViews -------------------------------------------------------------------------------

void VeskFrame::updateAllViews()
{
    list_->update();
    map_->update();
}

void VeskFrame::showControlBar(const ControlBarState& bar) { controlBar_->apply(bar); }

void VeskFrame::beginBusy()
{
    if (busyDepth_++ == 0) wxBeginBusyCursor();
}

void VeskFrame::endBusy()
{
    if (busyDepth_ > 0 && --busyDepth_ == 0) wxEndBusyCursor();
}

void VeskFrame::showStatus(const std::string& text) { map_->setStatusText(toWx(text)); }

void VeskFrame::showMessage(const std::string& text)
{
    wxMessageBox(toWx(text), toWx(applicationTitle), wxOK | wxICON_INFORMATION, this);
}

void VeskFrame::startProgram(const std::string& commandLine) { startBrowser(commandLine); }

bool VeskFrame::openWithDesktopBrowser(const std::string& address) { return openInDesktopBrowser(address); }

// --- DocumentDialogs -----------------------------------------------------------------------------

std::optional<SelectChoice> VeskFrame::runSelectDialog(const std::vector<std::string>& fields,
                                                       const DistanceNote& distance, const SelectCheck& check)
{
    return ::runSelectDialog(this, fields, distance, check);
}

std::optional<SortRows> VeskFrame::runSortDialog(const std::vector<std::string>& fields, const SortRows& shown,
                                                 const DistanceNote& distance)
{
    return ::runSortDialog(this, fields, shown, distance);
}

std::optional<MapOptions> VeskFrame::runMapOptionsDialog(const MapOptions& shown)
{
    return ::runOptionsDialog(this, shown);
}

std::optional<UserFieldDefinitions> VeskFrame::runUserFieldsDialog(const UserFieldDefinitions& shown)
{
    return ::runUserFieldsDialog(this, shown);
}

void VeskFrame::runTowerFieldsDialog(TowerFieldEditor& editor) { ::runTowerFieldsDialog(this, editor); }

std::optional<std::filesystem::path> VeskFrame::askExportFileName(ExportFormat format)
{
    const FileDialogKind kind = format == ExportFormat::Gpx       ? FileDialogKind::ExportGpx
                                : format == ExportFormat::GeoJson ? FileDialogKind::ExportGeoJson
                                                                  : FileDialogKind::Export;
    const auto chosen = chooseFile(kind, toWx(exportProposedName));
    if (!chosen) return std::nullopt;
    return filePath(*chosen);
}

// --- ShellWindow ---------------------------------------------------------------------------------

SaveAnswer VeskFrame::askSaveChanges(const wxString& title)
{
    switch (wxMessageBox("Save changes to " + title + "?", toWx(applicationTitle),
                         wxYES_NO | wxCANCEL | wxICON_QUESTION, this)) {
    case wxYES: return SaveAnswer::Yes;
    case wxNO: return SaveAnswer::No;
    default: return SaveAnswer::Cancel;
    }
}

void VeskFrame::showTitle(const wxString& title) { SetTitle(title + " - " + toWx(applicationTitle)); }

void VeskFrame::showRecentFiles(const std::vector<wxString>& files)
{
    wxMenuBar* bar = GetMenuBar();
    ::showRecentFiles(*bar->GetMenu(0), files);
}

std::optional<wxString> VeskFrame::chooseFileToOpen()
{
    return chooseFile(FileDialogKind::OpenDocument, wxEmptyString);
}

std::optional<wxString> VeskFrame::chooseFileToSave(const wxString& proposed)
{
    return chooseFile(FileDialogKind::SaveDocument, proposed);
}

std::optional<wxString> VeskFrame::chooseFile(FileDialogKind kind, const wxString& proposed)
{
    wxString offered = proposed;
    for (;;) {
        const auto chosen = fileChooser_(kind, offered);
        if (!chosen) return std::nullopt;
        const wxString path = withDefaultExtension(kind, *chosen);
        // The dialog asked before replacing the name as typed, not the one with the extension.
        // What is no regular file under that name is refused by the writing, with nothing asked.
        if (path == *chosen || !wxFileName::FileExists(path)) return path;
        const wxString question = "A file named \"" + wxFileName(path).GetFullName() +
                                  "\" already exists. Do you want to replace it?";
        if (wxMessageBox(question, toWx(applicationTitle), wxYES_NO | wxNO_DEFAULT | wxICON_WARNING, this) == wxYES)
            return path;
        offered = path;
    }
}
