#include "viewer/file_dialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "document/document_dialogs.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

wxString documentFilter() { return toWx(documentFilterName) + "|" + toWx(documentFilterPattern); }

// The Export filter's "(*.csv)|*.csv|(*.*)|*.*||" without its closing bars, which the platform's
// dialog does not take.
wxString exportFilter()
{
    wxString filter = toWx(exportFileFilter);
    while (filter.EndsWith("|")) filter.RemoveLast();
    return filter;
}

}  // namespace

wxString withDefaultExtension(FileDialogKind kind, const wxString& path)
{
    if (kind == FileDialogKind::OpenDocument) return path;
    wxFileName name(path);
    if (!name.HasExt())
        name.SetExt(kind == FileDialogKind::Export ? toWx(exportDefaultExtension).AfterLast('.')
                                                   : toWx(documentExtension).Mid(1));
    return name.GetFullPath();
}

std::optional<wxString> runFileDialog(wxWindow* parent, FileDialogKind kind, const wxString& proposed)
{
    const wxFileName proposal(proposed);
    switch (kind) {
    case FileDialogKind::OpenDocument: {
        wxFileDialog dialog(parent, "Open", wxEmptyString, wxEmptyString, documentFilter(),
                            wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return dialog.GetPath();
    }
    case FileDialogKind::SaveDocument: {
        wxFileDialog dialog(parent, "Save As", proposal.GetPath(), proposal.GetFullName(),
                            documentFilter(), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return dialog.GetPath();
    }
    case FileDialogKind::Export: {
        wxFileDialog dialog(parent, "Export", proposal.GetPath(), proposal.GetFullName(),
                            exportFilter(), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK) return std::nullopt;
        return dialog.GetPath();
    }
    }
    return std::nullopt;
}
