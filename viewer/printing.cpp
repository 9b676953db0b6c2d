#include "viewer/printing.h"

#include <limits>
#include <string>
#include <vector>

#include <wx/cmndata.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/generic/prntdlgg.h>
#include <wx/msgdlg.h>
#include <wx/paper.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include "document/list_geometry.h"
#include "document/print_layout.h"
#include "document/vesk_doc.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

// Margins of a page set up afresh, in millimetres.
constexpr int defaultMargin = 15;
// A continuation line stands in by this many screen pixels.
constexpr int continuationIndent = 40;

// One line as printed: a piece of a tower's line, the first of it or a continuation.
struct PrintedLine {
    std::string text;
    bool continuation = false;
};

// The list as printed pages, within the margins of the page setup. The page is scaled so that a
// screen pixel takes as much room on paper as it takes on the screen, so the lines stand apart
// as they do in the window; a line wider than the page wraps onto indented continuation lines,
// and each tower stays whole on one page.
class ListPrintout : public wxPrintout {
public:
    explicit ListPrintout(VeskDoc& document) : wxPrintout(toWx(applicationTitle)), document_(document) {}

    void OnPreparePrinting() override { layOutPages(); }

    // Before the printer's page is known, as many pages as a print can have: the printing stops
    // after the last there is.
    void GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) override
    {
        *minPage = *fromPage = 1;
        *maxPage = *toPage = starts_.empty() ? std::numeric_limits<short>::max() : pageCount();
    }

    bool HasPage(int page) override { return page >= 1 && page <= pageCount(); }

    bool OnPrintPage(int page) override
    {
        wxDC* dc = GetDC();
        if (dc == nullptr || !HasPage(page)) return false;
        const wxRect area = prepare(*dc);
        const std::size_t first = static_cast<std::size_t>(starts_[page - 1]);
        const std::size_t end = page < pageCount() ? static_cast<std::size_t>(starts_[page]) : lines_.size();
        for (std::size_t line = first; line < end; ++line) {
            const int indent = lines_[line].continuation ? continuationIndent : 0;
            dc->DrawText(toWx(lines_[line].text), area.x + indent,
                         area.y + lineHeight * static_cast<int>(line - first));
        }
        return true;
    }

private:
    int pageCount() const { return static_cast<int>(starts_.size()); }

    // Scales the page to screen pixels within the margins; gives the printable area.
    wxRect prepare(wxDC& dc)
    {
        MapScreenSizeToPageMargins(pageSetup());
        dc.SetFont(*wxNORMAL_FONT);
        dc.SetTextForeground(*wxBLACK);
        return GetLogicalPageMarginsRect(pageSetup());
    }

    // The page within its margins in screen pixels, the units the page is drawn in.
    wxSize printableSize() const
    {
        int pageWidth = 0, pageHeight = 0, pageWidthMM = 0, pageHeightMM = 0;
        int screenX = 0, screenY = 0, printerX = 0, printerY = 0;
        GetPageSizePixels(&pageWidth, &pageHeight);
        GetPageSizeMM(&pageWidthMM, &pageHeightMM);
        GetPPIScreen(&screenX, &screenY);
        GetPPIPrinter(&printerX, &printerY);
        if (pageWidthMM <= 0 || pageHeightMM <= 0 || printerX <= 0 || printerY <= 0) return {};
        const wxRect paper = GetPaperRectPixels();
        const wxPoint topLeft = pageSetup().GetMarginTopLeft();
        const wxPoint bottomRight = pageSetup().GetMarginBottomRight();
        const double width = paper.width - double(pageWidth) / pageWidthMM * (topLeft.x + bottomRight.x);
        const double height = paper.height - double(pageHeight) / pageHeightMM * (topLeft.y + bottomRight.y);
        return {static_cast<int>(width * screenX / printerX), static_cast<int>(height * screenY / printerY)};
    }

    // Every tower's line wrapped to the page, and the pages they fill, worked out before printing
    // asks how many pages there are. Texts are measured in the printed font on the screen, whose
    // pixels the page is drawn in.
    void layOutPages()
    {
        lines_.clear();
        starts_.clear();
        const wxSize area = printableSize();
        if (area.x <= 0 || area.y <= 0) return;
        wxScreenDC screen;
        screen.SetFont(*wxNORMAL_FONT);
        const auto measure = [&screen](std::string_view text) { return screen.GetTextExtent(toWx(text)).x; };
        std::vector<std::int32_t> linesOfTowers;
        const std::int32_t towers = std::max(document_.displayedCount(), 1);  // "No tower details"
        for (std::int32_t position = 0; position < towers; ++position) {
            const auto pieces = wrapLine(document_.listLine(position), area.x, continuationIndent, measure);
            for (std::size_t piece = 0; piece < pieces.size(); ++piece) lines_.push_back({pieces[piece], piece > 0});
            linesOfTowers.push_back(static_cast<std::int32_t>(pieces.size()));
        }
        starts_ = pageStarts(linesOfTowers, area.y / lineHeight);
    }

    VeskDoc& document_;
    std::vector<PrintedLine> lines_;
    std::vector<std::int32_t> starts_;
};

}  // namespace

wxPrintDialogData& printSettings()
{
    static wxPrintDialogData settings;
    return settings;
}

wxPageSetupDialogData& pageSetup()
{
    static wxPageSetupDialogData setup = [] {
        wxPageSetupDialogData data;
        data.SetMarginTopLeft(wxPoint(defaultMargin, defaultMargin));
        data.SetMarginBottomRight(wxPoint(defaultMargin, defaultMargin));
        return data;
    }();
    return setup;
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

void previewList(wxFrame& parent, VeskDoc& document, std::function<void()> closed)
{
    auto* preview = new wxPrintPreview(new ListPrintout(document), new ListPrintout(document), &printSettings());
    if (!preview->IsOk()) {
        delete preview;
        return;
    }
    auto* frame = new wxPreviewFrame(preview, &parent, toWx(applicationTitle) + " - Print Preview",
                                     wxDefaultPosition, parent.GetSize());
    frame->Bind(wxEVT_CLOSE_WINDOW, [&parent, closed = std::move(closed)](wxCloseEvent& event) {
        event.Skip();
        parent.CallAfter(closed);
    });
    frame->Initialize();
    frame->Show();
}

void runPrintSetup(wxWindow& parent)
{
    // The toolkit's own page setup has no margins; this one has.
    pageSetup().SetPrintData(printSettings().GetPrintData());
    // Margins that cannot be kept are offered again as typed, to be put right or cancelled.
    wxPageSetupDialogData offered = pageSetup();
    for (;;) {
        wxGenericPageSetupDialog dialog(&parent, &offered);
        if (dialog.ShowModal() != wxID_OK) return;
        const wxPageSetupDialogData& chosen = dialog.GetPageSetupDialogData();
        wxSize paper = chosen.GetPaperSize();
        if (paper.x <= 0 || paper.y <= 0) {
            const wxPrintPaperType* named = wxThePrintPaperDatabase->FindPaperType(chosen.GetPaperId());
            if (named != nullptr) paper = named->GetSizeMM();
        }
        const PaperMargins page{paper.x, paper.y,
                                chosen.GetMarginTopLeft().x, chosen.GetMarginTopLeft().y,
                                chosen.GetMarginBottomRight().x, chosen.GetMarginBottomRight().y};
        if (const auto refusal = marginsRefusal(page)) {
            wxMessageBox(toWx(*refusal), toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, &parent);
            offered = chosen;
            continue;
        }
        pageSetup() = chosen;
        printSettings().SetPrintData(pageSetup().GetPrintData());
        return;
    }
}
