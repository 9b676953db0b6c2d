#include "viewer/printing.h"

#include <limits>

#include <wx/cmndata.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include "document/list_geometry.h"
#include "document/vesk_doc.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

// The list as printed pages. The page is scaled so that a screen pixel takes as much room on
// paper as it takes on the screen, so the lines stand apart as they do in the window.
class ListPrintout : public wxPrintout {
public:
    explicit ListPrintout(VeskDoc& document) : wxPrintout(toWx(applicationTitle)), document_(document) {}

    void OnPreparePrinting() override { countPages(); }

    void GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) override
    {
        countPages();
        *minPage = *fromPage = 1;
        *maxPage = *toPage = pages_.pageCount;
    }

    bool HasPage(int page) override { return page >= 1 && page <= pages_.pageCount; }

    bool OnPrintPage(int page) override
    {
        wxDC* dc = GetDC();
        if (dc == nullptr) return false;
        MapScreenSizeToPage();
        dc->SetFont(*wxNORMAL_FONT);
        dc->SetTextForeground(*wxBLACK);
        const LineRange lines = printedLines(pages_, document_.displayedCount(), page);
        for (std::int32_t position = lines.first; position < lines.end; ++position)
            dc->DrawText(toWx(document_.listLine(position)), 0, lineHeight * (position - lines.first));
        return true;
    }

private:
    // The printable height measured in screen pixels, as many lines as fit it.
    void countPages()
    {
        int width = 0, height = 0, screenX = 0, screenY = 0, printerX = 0, printerY = 0;
        GetPageSizePixels(&width, &height);
        GetPPIScreen(&screenX, &screenY);
        GetPPIPrinter(&printerX, &printerY);
        const int heightOnScreen = printerY > 0 ? height * screenY / printerY : height;
        pages_ = printPages(document_.displayedCount(), heightOnScreen);
    }

    VeskDoc& document_;
    PrintPages pages_;
};

}  // namespace

wxPrintDialogData& printSettings()
{
    static wxPrintDialogData settings;
    return settings;
}

void printList(wxWindow& parent, VeskDoc& document, PrintRequest request)
{
    if (request == PrintRequest::WithoutDialog) {
        // Every page: the printout stops after its last.
        printSettings().SetFromPage(1);
        printSettings().SetToPage(std::numeric_limits<short>::max());
    }
    wxPrinter printer(&printSettings());
    ListPrintout printout(document);
    if (printer.Print(&parent, &printout, request == PrintRequest::WithDialog))
        printSettings() = printer.GetPrintDialogData();
    else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        wxMessageBox("The list could not be printed.", toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, &parent);
}

void previewList(wxFrame& parent, VeskDoc& document)
{
    auto* preview = new wxPrintPreview(new ListPrintout(document), new ListPrintout(document), &printSettings());
    if (!preview->IsOk()) {
        delete preview;
        return;
    }
    auto* frame = new wxPreviewFrame(preview, &parent, toWx(applicationTitle) + " - Print Preview",
                                     wxDefaultPosition, parent.GetSize());
    frame->Initialize();
    frame->Show();
}

void runPrintSetup(wxWindow& parent)
{
    wxPageSetupDialogData setup(printSettings().GetPrintData());
    wxPageSetupDialog dialog(&parent, &setup);
    if (dialog.ShowModal() == wxID_OK) printSettings().SetPrintData(dialog.GetPageSetupData().GetPrintData());
}
