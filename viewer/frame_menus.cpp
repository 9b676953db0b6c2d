#include "viewer/frame_menus.h"

#include <memory>
#include <span>
#include <utility>
#include <string>
#include <string_view>

#include <wx/menu.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "document/command_ids.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

struct Entry {
    int id;
    std::string_view label;  // with its key text after a tab
    std::string_view prompt;
    bool enabled = true;
};

constexpr Entry separator{wxID_SEPARATOR, "", ""};
constexpr std::string_view openThisDocument = "Open this document";

constexpr Entry fileEntries[] = {
    {wxID_NEW, "&New\tCtrl+N", "Create a new document"},
    {wxID_OPEN, "&Open...\tCtrl+O", "Open an existing document"},
    {wxID_SAVE, "&Save\tCtrl+S", "Save the active document"},
    {wxID_SAVEAS, "Save &As...", "Save the active document with a new name"},
    {idExportCsv, "&Export", ""},
    {idExportGpx, "Export &GPX...", ""},
    {idExportGeoJson, "Export Geo&JSON...", ""},
    separator,
    {wxID_PRINT, "&Print...\tCtrl+P", "Print the active document"},
    {wxID_PREVIEW, "Print Pre&view", "Display full pages"},
    {wxID_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options"},
    separator,
    {wxID_FILE1, recentFilePlaceholder, openThisDocument, false},
    separator,
    {wxID_EXIT, "E&xit", "Quit the application; prompts to save documents"},
};

constexpr Entry editEntries[] = {
    {wxID_UNDO, "&Undo\tCtrl+Z", "Undo the last action", false},
    separator,
    {wxID_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", false},
    {wxID_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", false},
    {wxID_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents", false},
};

constexpr Entry viewEntries[] = {
    {idToolbar, "&Toolbar", "Show or hide the toolbar", false},
    {idStatusBar, "&Status Bar", "Show or hide the status bar", false},
    separator,
    {idMapOptions, "&Map Options\tF2", ""},
    {idZoomIn, "Zoom In\tKP_Add", ""},
    {idZoomOut, "Zoom Out\tKP_Subtract", ""},
    {idNorth, "North\tUp", ""},
    {idSouth, "South\tDown", ""},
    {idEast, "East\tRight", ""},
    {idWest, "West\tLeft", ""},
};

constexpr Entry dataEntries[] = {
    {idSelect, "Selec&t\tF3", ""},
    {idSort, "&Sort\tF4", ""},
    {idUserFields, "&User Fields\tF5", ""},
};

constexpr Entry helpEntries[] = {
    {wxID_ABOUT, "&About Belfrix...", "Display program information, version number and copyright"},
};

// GTK takes no bare arrow key as a menu entry's key: it drops the key text from the label and
// shows none. The key the label named is put in GTK's key column instead; the frame's accelerator
// table acts on the keys either way.
void showRefusedKeyText([[maybe_unused]] wxMenuItem& item, [[maybe_unused]] std::string_view label)
{
#ifdef __WXGTK__
    const std::size_t tab = label.find('\t');
    if (tab == std::string_view::npos || std::unique_ptr<wxAcceleratorEntry>(item.GetAccel())) return;
    const guint keyval = gdk_keyval_from_name(std::string(label.substr(tab + 1)).c_str());
    GtkWidget* text = item.GetMenuItem() != nullptr ? gtk_bin_get_child(GTK_BIN(item.GetMenuItem())) : nullptr;
    if (keyval != GDK_KEY_VoidSymbol && GTK_IS_ACCEL_LABEL(text))
        gtk_accel_label_set_accel(GTK_ACCEL_LABEL(text), keyval, GdkModifierType(0));
#endif
}

// The label as the menu shows it. Windows shows a key text as it is written, and names the
// numeric keypad's keys otherwise than the toolkit's key names do; the frame's accelerator table
// reads the keys from the labels as written.
std::string shownLabel(std::string_view label)
{
    std::string shown(label);
#ifdef __WXMSW__
    for (const auto& [keyName, windowsText] : {std::pair<std::string_view, std::string_view>{"\tKP_Add", "\tNum +"},
                                               {"\tKP_Subtract", "\tNum -"}})
        if (shown.ends_with(keyName)) shown.replace(shown.size() - keyName.size(), keyName.size(), windowsText);
#endif
    return shown;
}

template <std::size_t n>
wxMenu* makeMenu(const Entry (&entries)[n])
{
    auto* menu = new wxMenu;
    for (const Entry& entry : entries) {
        if (entry.id == wxID_SEPARATOR) {
            menu->AppendSeparator();
            continue;
        }
        wxMenuItem* item = menu->Append(entry.id, toWx(shownLabel(entry.label)), toWx(entry.prompt));
        item->Enable(entry.enabled);
        showRefusedKeyText(*item, entry.label);
    }
    return menu;
}

}  // namespace

std::optional<int> documentCommand(int id)
{
    constexpr std::pair<int, int> commands[] = {
        {idExportCsv, command::exportCsv}, {idExportGpx, command::exportGpx},
        {idExportGeoJson, command::exportGeoJson}, {idMapOptions, command::mapOptions},
        {idZoomIn, command::zoomIn}, {idZoomOut, command::zoomOut},
        {idNorth, command::north}, {idSouth, command::south},
        {idEast, command::east}, {idWest, command::west},
        {idSelect, command::select}, {idSort, command::sort},
        {idUserFields, command::userFields},
    };
    for (const auto& [toolkit, document] : commands)
        if (toolkit == id) return document;
    return std::nullopt;
}

wxMenuBar* makeMenuBar()
{
    auto* bar = new wxMenuBar;
    bar->Append(makeMenu(fileEntries), "&File");
    bar->Append(makeMenu(editEntries), "&Edit");
    bar->Append(makeMenu(viewEntries), "&View");
    bar->Append(makeMenu(dataEntries), "&Data");
    bar->Append(makeMenu(helpEntries), "&Help");
    return bar;
}

wxAcceleratorTable makeAcceleratorTable()
{
    // The keys the menus name (zoom answers only the numeric keypad's + and -), then the keys
    // no entry names: the older clipboard keys and the pane switch.
    std::vector<wxAcceleratorEntry> entries;
    for (const std::span<const Entry> menu : {std::span<const Entry>(fileEntries), std::span<const Entry>(editEntries),
                                             std::span<const Entry>(viewEntries), std::span<const Entry>(dataEntries)})
        for (const Entry& entry : menu)
            if (const std::unique_ptr<wxAcceleratorEntry> key{wxAcceleratorEntry::Create(toWx(entry.label))})
                entries.emplace_back(key->GetFlags(), key->GetKeyCode(), entry.id);
    entries.insert(entries.end(), {
                                      {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
                                      {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
                                      {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
                                      {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
                                      {wxACCEL_NORMAL, WXK_F6, idNextPane},
                                      {wxACCEL_SHIFT, WXK_F6, idPreviousPane},
                                  });
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

void showRecentFiles(wxMenu& fileMenu, const std::vector<wxString>& files)
{
    size_t position = 0;
    for (int id = wxID_FILE1 + recentFileCount - 1; id >= wxID_FILE1; --id) {
        size_t at = 0;
        if (wxMenuItem* item = fileMenu.FindChildItem(id, &at)) {
            fileMenu.Destroy(item);
            position = at;
        }
    }
    if (files.empty()) {
        fileMenu.Insert(position, wxID_FILE1, toWx(recentFilePlaceholder),
                        toWx(openThisDocument))
            ->Enable(false);
        return;
    }
    for (std::size_t i = 0; i < files.size() && i < recentFileCount; ++i) {
        wxString path = files[i];
        path.Replace("&", "&&");
        fileMenu.Insert(position + i, wxID_FILE1 + static_cast<int>(i),
                        wxString::Format("&%zu ", i + 1) + path, toWx(openThisDocument));
    }
}
