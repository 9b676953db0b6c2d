#include "viewer/file_dialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "document/document_dialogs.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

struct DialogForm {
    wxString title;
    wxString filter;
    wxString extension;  // given to a name typed without one; none for Open
    long style;
};

// The Export filter's "(*.csv)|*.csv|(*.*)|*.*||" without its closing bars, which the platform's
// dialog does not take, and with "*" for its every file, as Open has below.
wxString exportFilter()
{
    wxString filter = toWx(exportFileFilter);
    while (filter.EndsWith("|")) filter.RemoveLast();
    filter.Replace("|*.*", "|*");
    return filter;
}

DialogForm formOf(FileDialogKind kind)
{
    const wxString documents = toWx(documentFilterName) + "|" + toWx(documentFilterPattern);
    const wxString documentExtensionName = toWx(documentExtension).Mid(1);
    constexpr long saving = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    switch (kind) {
    // Open lists every file too, so that a document saved under a name with another extension
    // ("Trip v1.2") can be found again; "*", as some platforms read "*.*" as names with a dot.
    case FileDialogKind::OpenDocument:
        return {"Open", documents + "|(*.*)|*", "", wxFD_OPEN | wxFD_FILE_MUST_EXIST};
    case FileDialogKind::SaveDocument: return {"Save As", documents, documentExtensionName, saving};
    case FileDialogKind::Export:
        return {"Export", exportFilter(), toWx(exportDefaultExtension).AfterLast('.'), saving};
    case FileDialogKind::ExportGpx: return {"Export GPX", "(*.gpx)|*.gpx", "gpx", saving};
    case FileDialogKind::ExportGeoJson: return {"Export GeoJSON", "(*.geojson)|*.geojson", "geojson", saving};
    }
    return {};
}

}  // namespace

wxString withDefaultExtension(FileDialogKind kind, const wxString& path)
{
    const DialogForm form = formOf(kind);
    wxFileName name(path);
    if (!form.extension.empty() && !name.HasExt()) name.SetExt(form.extension);
    return name.GetFullPath();
}

std::optional<wxString> runFileDialog(wxWindow* parent, FileDialogKind kind, const wxString& proposed)
{
    const DialogForm form = formOf(kind);
    const wxFileName proposal(proposed);
    wxFileDialog dialog(parent, form.title, proposal.GetPath(), proposal.GetFullName(), form.filter, form.style);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.GetPath();
}
