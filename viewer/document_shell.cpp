#include "viewer/document_shell.h"

#include <wx/config.h>
#include <wx/filename.h>

#include "document/vesk_doc.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

DocumentShell::DocumentShell(VeskDoc& document, ShellWindow& window)
    : document_(document), window_(window), history_(recentFileCount)
{
}

void DocumentShell::loadRecentFiles(wxConfigBase& settings)
{
    history_.Load(settings);
    showRecentFiles();
}

void DocumentShell::saveRecentFiles(wxConfigBase& settings) { history_.Save(settings); }

bool DocumentShell::mayDropDocument()
{
    if (!document_.modified()) return true;
    switch (window_.askSaveChanges(title())) {
    case SaveAnswer::Yes: return save();
    case SaveAnswer::No: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}

bool DocumentShell::newDocument()
{
    if (!mayDropDocument() || !document_.newDocument()) return false;
    path_.clear();
    window_.showTitle(title());
    return true;
}

bool DocumentShell::open()
{
    if (!mayDropDocument()) return false;
    const auto path = window_.chooseFileToOpen();
    return path && openFile(*path);
}

bool DocumentShell::openFile(const wxString& path)
{
    const wxString absolute = wxFileName(path).GetAbsolutePath();
    if (!document_.openDocument(filePath(absolute))) return false;
    fileIsNow(absolute);
    return true;
}

bool DocumentShell::openRecentFile(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= history_.GetCount()) return false;
    // Read before the document is saved, which may put another file in its place in the list.
    const wxString path = history_.GetHistoryFile(index);
    // A file that is gone replaces nothing: it is said so at once, with nothing to save first.
    if (wxFileName::Exists(path) && !mayDropDocument()) return false;
    if (openFile(path)) return true;
    for (size_t at = 0; at < history_.GetCount(); ++at) {
        if (history_.GetHistoryFile(at) != path) continue;
        history_.RemoveFileFromHistory(at);
        break;
    }
    showRecentFiles();
    return false;
}

bool DocumentShell::save() { return path_.empty() ? saveAs() : saveTo(path_); }

bool DocumentShell::saveAs()
{
    const wxString proposed = path_.empty() ? toWx(newDocumentTitle) : path_;
    const auto path = window_.chooseFileToSave(proposed);
    return path && saveTo(*path);
}

bool DocumentShell::saveTo(const wxString& path)
{
    const wxString absolute = wxFileName(path).GetAbsolutePath();
    if (!document_.saveDocument(filePath(absolute))) return false;
    fileIsNow(absolute);
    return true;
}

void DocumentShell::fileIsNow(const wxString& path)
{
    path_ = path;
    history_.AddFileToHistory(path);
    showRecentFiles();
    window_.showTitle(title());
}

wxString DocumentShell::title() const
{
    return path_.empty() ? toWx(newDocumentTitle) : wxFileName(path_).GetFullName();
}

std::vector<wxString> DocumentShell::recentFiles() const
{
    std::vector<wxString> files;
    for (size_t i = 0; i < history_.GetCount(); ++i) files.push_back(history_.GetHistoryFile(i));
    return files;
}

void DocumentShell::showRecentFiles() { window_.showRecentFiles(recentFiles()); }
