#include "viewer/frame_menus.h"

#include <array>
#include <string>
#include <string_view>

#include <wx/menu.h>

#include "document/command_ids.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace {

constexpr int toolkitIdLimit = 0x8000;
constexpr int lowestButtonId = 1000;
constexpr int highestButtonId = 2000;

// Framework commands without a receiver here, and the frame's absent bars.
constexpr int editUndo = 57643;
constexpr int editCut = 57635;
constexpr int editCopy = 57634;
constexpr int editPaste = 57637;
constexpr int viewToolbar = 59392;
constexpr int viewStatusBar = 59393;

struct Key {
    int flags = wxACCEL_NORMAL;
    int code = 0;
};

struct Entry {
    int id;
    std::string_view label;
    std::string_view prompt;
    Key key{};
    bool enabled = true;
};

constexpr Entry separator{wxID_SEPARATOR, "", ""};
constexpr std::string_view openThisDocument = "Open this document";

constexpr Entry fileEntries[] = {
    {command::fileNew, "&New", "Create a new document", {wxACCEL_CTRL, 'N'}},
    {command::fileOpen, "&Open...", "Open an existing document", {wxACCEL_CTRL, 'O'}},
    {command::fileSave, "&Save", "Save the active document", {wxACCEL_CTRL, 'S'}},
    {command::fileSaveAs, "Save &As...", "Save the active document with a new name"},
    {command::exportCsv, "E&xport", ""},
    {command::exportGpx, "Export &GPX...", ""},
    {command::exportGeoJson, "Export Geo&JSON...", ""},
    separator,
    {command::print, "&Print...", "Print the active document", {wxACCEL_CTRL, 'P'}},
    {command::printPreview, "Print Pre&view", "Display full pages"},
    {command::printSetup, "P&rint Setup...", "Change the printer and printing options"},
    separator,
    {command::recentFileFirst, recentFilePlaceholder, openThisDocument, {}, false},
    separator,
    {command::appExit, "E&xit", "Quit the application; prompts to save documents"},
};

constexpr Entry editEntries[] = {
    {editUndo, "&Undo", "Undo the last action", {wxACCEL_CTRL, 'Z'}, false},
    separator,
    {editCut, "Cu&t", "Cut the selection and put it on the Clipboard", {wxACCEL_CTRL, 'X'}, false},
    {editCopy, "&Copy", "Copy the selection and put it on the Clipboard", {wxACCEL_CTRL, 'C'}, false},
    {editPaste, "&Paste", "Insert Clipboard contents", {wxACCEL_CTRL, 'V'}, false},
};

constexpr Entry viewEntries[] = {
    {viewToolbar, "&Toolbar", "Show or hide the toolbar", {}, false},
    {viewStatusBar, "&Status Bar", "Show or hide the status bar", {}, false},
    separator,
    {command::mapOptions, "&Map Options", "", {wxACCEL_NORMAL, WXK_F2}},
    {command::zoomIn, "Zoom In", "", {wxACCEL_NORMAL, WXK_NUMPAD_ADD}},
    {command::zoomOut, "Zoom Out", "", {wxACCEL_NORMAL, WXK_NUMPAD_SUBTRACT}},
    {command::north, "North", "", {wxACCEL_NORMAL, WXK_UP}},
    {command::south, "South", "", {wxACCEL_NORMAL, WXK_DOWN}},
    {command::east, "East", "", {wxACCEL_NORMAL, WXK_RIGHT}},
    {command::west, "West", "", {wxACCEL_NORMAL, WXK_LEFT}},
};

constexpr Entry dataEntries[] = {
    {command::select, "Selec&t", "", {wxACCEL_NORMAL, WXK_F3}},
    {command::sort, "&Sort", "", {wxACCEL_NORMAL, WXK_F4}},
    {command::userFields, "&User Fields", "", {wxACCEL_NORMAL, WXK_F5}},
};

constexpr Entry helpEntries[] = {
    {command::appAbout, "&About Belfrix...", "Display program information, version number and copyright"},
};

#ifdef __WXGTK__
// The toolkit's own key column of a menu entry, set without binding the key. Looked up at run
// time in the toolkit the program already runs on, so that building needs no toolkit headers.
using GetChild = void* (*)(void* bin);
using SetAccel = void (*)(void* accelLabel, unsigned keyval, unsigned modifiers);

unsigned keyval(int code)
{
    constexpr unsigned f1 = 0xFFBE;
    if (code >= WXK_F1 && code <= WXK_F24) return f1 + static_cast<unsigned>(code - WXK_F1);
    switch (code) {
    case WXK_UP: return 0xFF52;
    case WXK_DOWN: return 0xFF54;
    case WXK_LEFT: return 0xFF51;
    case WXK_RIGHT: return 0xFF53;
    case WXK_NUMPAD_ADD: return 0xFFAB;
    case WXK_NUMPAD_SUBTRACT: return 0xFFAD;
    default: return static_cast<unsigned>(wxTolower(code));
    }
}

void showKeyText(wxMenuItem& item, Key key)
{
    static const auto getChild = reinterpret_cast<GetChild>(dlsym(RTLD_DEFAULT, "gtk_bin_get_child"));
    static const auto setAccel = reinterpret_cast<SetAccel>(dlsym(RTLD_DEFAULT, "gtk_accel_label_set_accel"));
    if (getChild == nullptr || setAccel == nullptr || item.GetMenuItem() == nullptr) return;
    constexpr unsigned controlMask = 1u << 2;
    setAccel(getChild(item.GetMenuItem()), keyval(key.code), key.flags & wxACCEL_CTRL ? controlMask : 0);
}
#else
void showKeyText(wxMenuItem& item, Key key)
{
    wxString text = key.flags & wxACCEL_CTRL ? "Ctrl+" : "";
    text += wxAcceleratorEntry(wxACCEL_NORMAL, key.code).ToString();
    item.SetItemLabel(item.GetItemLabel() + "\t" + text);
}
#endif

template <std::size_t n>
wxMenu* makeMenu(const Entry (&entries)[n])
{
    auto* menu = new wxMenu;
    for (const Entry& entry : entries) {
        if (entry.id == wxID_SEPARATOR) {
            menu->AppendSeparator();
            continue;
        }
        wxMenuItem* item = menu->Append(toolkitId(entry.id), toWx(entry.label), toWx(entry.prompt));
        item->Enable(entry.enabled);
    }
    return menu;
}

template <std::size_t n>
void showKeyTexts(wxMenuBar& bar, const Entry (&entries)[n])
{
    for (const Entry& entry : entries)
        if (entry.key.code != 0) showKeyText(*bar.FindItem(toolkitId(entry.id)), entry.key);
}

}  // namespace

int toolkitId(int command) { return command >= toolkitIdLimit ? command - toolkitIdLimit : command; }

int commandId(int toolkitId)
{
    // The control bar's buttons are the only commands below 0x8000.
    const bool button = toolkitId >= lowestButtonId && toolkitId < highestButtonId;
    return button ? toolkitId : toolkitId + toolkitIdLimit;
}

wxMenuBar* makeMenuBar()
{
    auto* bar = new wxMenuBar;
    bar->Append(makeMenu(fileEntries), "&File");
    bar->Append(makeMenu(editEntries), "&Edit");
    bar->Append(makeMenu(viewEntries), "&View");
    bar->Append(makeMenu(dataEntries), "&Data");
    bar->Append(makeMenu(helpEntries), "&Help");
    showKeyTexts(*bar, fileEntries);
    showKeyTexts(*bar, editEntries);
    showKeyTexts(*bar, viewEntries);
    showKeyTexts(*bar, dataEntries);
    return bar;
}

wxAcceleratorTable makeAcceleratorTable()
{
    // Zoom answers only the numeric keypad's + and -.
    wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'C', editCopy},
        {wxACCEL_CTRL, 'N', command::fileNew},
        {wxACCEL_CTRL, 'O', command::fileOpen},
        {wxACCEL_CTRL, 'P', command::print},
        {wxACCEL_CTRL, 'S', command::fileSave},
        {wxACCEL_CTRL, 'V', editPaste},
        {wxACCEL_NORMAL, WXK_NUMPAD_ADD, command::zoomIn},
        {wxACCEL_ALT, WXK_BACK, editUndo},
        {wxACCEL_SHIFT, WXK_DELETE, editCut},
        {wxACCEL_NORMAL, WXK_DOWN, command::south},
        {wxACCEL_NORMAL, WXK_F2, command::mapOptions},
        {wxACCEL_NORMAL, WXK_F3, command::select},
        {wxACCEL_NORMAL, WXK_F4, command::sort},
        {wxACCEL_NORMAL, WXK_F5, command::userFields},
        {wxACCEL_NORMAL, WXK_F6, command::nextPane},
        {wxACCEL_SHIFT, WXK_F6, command::previousPane},
        {wxACCEL_CTRL, WXK_INSERT, editCopy},
        {wxACCEL_SHIFT, WXK_INSERT, editPaste},
        {wxACCEL_NORMAL, WXK_LEFT, command::west},
        {wxACCEL_NORMAL, WXK_RIGHT, command::east},
        {wxACCEL_NORMAL, WXK_NUMPAD_SUBTRACT, command::zoomOut},
        {wxACCEL_NORMAL, WXK_UP, command::north},
        {wxACCEL_CTRL, 'X', editCut},
        {wxACCEL_CTRL, 'Z', editUndo},
    };
    for (wxAcceleratorEntry& entry : entries)
        entry.Set(entry.GetFlags(), entry.GetKeyCode(), toolkitId(entry.GetCommand()));
    return wxAcceleratorTable(static_cast<int>(std::size(entries)), entries);
}

void showRecentFiles(wxMenu& fileMenu, const std::vector<wxString>& files)
{
    size_t position = 0;
    for (int id = command::recentFileLast; id >= command::recentFileFirst; --id) {
        size_t at = 0;
        if (wxMenuItem* item = fileMenu.FindChildItem(toolkitId(id), &at)) {
            fileMenu.Destroy(item);
            position = at;
        }
    }
    if (files.empty()) {
        fileMenu.Insert(position, toolkitId(command::recentFileFirst), toWx(recentFilePlaceholder),
                        toWx(openThisDocument))
            ->Enable(false);
        return;
    }
    for (std::size_t i = 0; i < files.size() && i < recentFileCount; ++i) {
        wxString path = files[i];
        path.Replace("&", "&&");
        fileMenu.Insert(position + i, toolkitId(command::recentFileFirst + static_cast<int>(i)),
                        wxString::Format("&%zu ", i + 1) + path, toWx(openThisDocument));
    }
}
