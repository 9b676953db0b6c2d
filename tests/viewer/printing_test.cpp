#include <algorithm>
#include <cstdio>
#include <sstream>

#include <wx/cmndata.h>
#include <wx/print.h>
#include <wx/generic/prntdlgg.h>
#include <wx/printdlg.h>

#include "document/command_ids.h"
#include "viewer/frame_menus.h"
#include "tests/viewer/viewer_fixture.h"
#include "viewer/printing.h"

namespace {

std::string threeHundredTowers()
{
    std::string source = "NG\\FULL\\Place\\Bells\n";
    for (int i = 1; i <= 300; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "TQ1%02d6%02d\\Kent\\Tower %03d\\6\n", i % 100, i / 10, i);
        source += line;
    }
    return source;
}

int count(const std::string& text, const std::string& what)
{
    int found = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++found;
    return found;
}

class PrintingTest : public ViewerTest {
protected:
    // The list printed on A4 as PostScript into a file: the toolkit's own printing cannot print
    // without a dialog here.
    std::string printedPostScript()
    {
        wxPrintData data;
        data.SetPaperId(wxPAPER_A4);
        data.SetPrintMode(wxPRINT_MODE_FILE);
        data.SetFilename((folder / "list.ps").string());
        printSettings().SetPrintData(data);
        printList(*frame, document(), PrintRequest::WithoutDialog);
        return folder.read("list.ps").value_or("");
    }
};

TEST_F(PrintingTest, EveryTowerIsPrintedOverAsManyPagesAsItTakes)
{
    wxPrintFactory::SetPrintFactory(new wxNativePrintFactory);
    openViewer(threeHundredTowers());
    const std::string printed = printedPostScript();
    const int pages = count(printed, "%%Page:");
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 12);
    for (int i = 1; i <= 300; ++i) {
        char place[16];
        std::snprintf(place, sizeof place, "Tower %03d", i);
        ASSERT_EQ(count(printed, place), 1) << place;
    }
    EXPECT_LT(printed.find("Tower 001"), printed.find("Tower 300"));
}

// A text the PostScript file prints: where it starts, in points from the paper's bottom left,
// and on which page.
struct PrintedText {
    double x = 0;
    double y = 0;
    int page = 0;
    std::string text;
};

std::vector<PrintedText> printedTexts(const std::string& postScript)
{
    std::vector<PrintedText> texts;
    std::istringstream lines(postScript);
    int page = 0;
    PrintedText next;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("%%Page:")) ++page;
        if (line.ends_with(" moveto") && std::sscanf(line.c_str(), "%lf %lf", &next.x, &next.y) == 2) continue;
        if (line.starts_with("(") && line.ends_with(") (\\n) strsplit")) {
            next.text = line.substr(1, line.size() - std::string(") (\\n) strsplit").size() - 1);
            next.page = page;
            texts.push_back(next);
        }
    }
    return texts;
}

// Points a text takes in 10-point Helvetica, the printer's font: W 944, a blank 278 thousandths
// of the size, and at most 667 for any other character of these lines.
double helveticaWidth(const std::string& text)
{
    double width = 0;
    for (const char c : text) width += c == 'W' ? 9.44 : c == 'M' ? 8.33 : c == ' ' ? 2.78 : 6.67;
    return width;
}

TEST_F(PrintingTest, LinesKeepTheMarginsAndALongOneWrapsOntoIndentedLinesOfItsPage)
{
    wxPrintFactory::SetPrintFactory(new wxNativePrintFactory);
    std::string source = threeHundredTowers();
    std::string longName;
    for (int word = 0; word < 40; ++word) longName += "WWWWWWW ";
    source += "TQ100600\\Kent\\" + longName + "\\8\n";
    const std::string longWord(150, 'M');  // a web address, say: no blank to wrap at
    source += "TQ100601\\Kent\\" + longWord + "\\8\n";
    openViewer(source);
    constexpr double a4Width = 595.28, a4Height = 841.89, pointsPerMM = 72 / 25.4;
    for (const int margin : {15, 30}) {
        pageSetup().SetMarginTopLeft(wxPoint(margin, margin));
        pageSetup().SetMarginBottomRight(wxPoint(margin, margin));
        const std::vector<PrintedText> texts = printedTexts(printedPostScript());
        ASSERT_GT(texts.size(), 300u);
        const double edge = margin * pointsPerMM;
        std::vector<PrintedText> pieces;
        int ms = 0;
        for (const PrintedText& text : texts) {
            EXPECT_GE(text.x, edge - 0.5) << margin << " mm: " << text.text;
            EXPECT_GE(text.y, edge - 0.5) << margin << " mm: " << text.text;
            EXPECT_LE(text.y, a4Height - edge) << margin << " mm: " << text.text;
            if (text.text.find("WWW") != std::string::npos) pieces.push_back(text);
            if (text.text.find("MMM") == std::string::npos) continue;
            ms += static_cast<int>(std::count(text.text.begin(), text.text.end(), 'M'));
            EXPECT_LE(text.x + helveticaWidth(text.text), a4Width - edge) << margin << " mm: " << text.text;
        }
        EXPECT_EQ(ms, 150) << margin << " mm";
        // Forty words of seven W need a few lines between the margins, each after the first
        // indented, all on one page; no W falls off.
        ASSERT_GE(pieces.size(), 4u) << margin << " mm";
        int ws = 0;
        for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
            ws += static_cast<int>(std::count(pieces[piece].text.begin(), pieces[piece].text.end(), 'W'));
            EXPECT_EQ(pieces[piece].page, pieces[0].page);
            if (piece > 0) {
                EXPECT_GT(pieces[piece].x, pieces[0].x + 5) << margin << " mm";
            }
            EXPECT_LE(helveticaWidth(pieces[piece].text), a4Width - 2 * edge - (pieces[piece].x - pieces[0].x))
                << pieces[piece].text;
        }
        EXPECT_EQ(ws, 280) << margin << " mm";
    }
}

// Margins that leave the list too little of the page are offered again as typed, with a message.
TEST_F(PrintingTest, MarginsPrintSetupCannotKeepAreOfferedAgainAsTyped)
{
    openViewer(threeHundredTowers());
    const auto typeMargins = [](const char* left, const char* right) {
        return [left, right](wxDialog& dialog) {
            return whenShown(dialog, [left, right](wxDialog& shown) {
                auto& setup = dynamic_cast<wxGenericPageSetupDialog&>(shown);
                setup.m_marginLeftText->ChangeValue(left);
                setup.m_marginRightText->ChangeValue(right);
                pressButton(shown, wxID_OK);
            });
        };
    };
    wxString said;
    wxString offeredAgain;
    expectDialog(typeMargins("81", "80"));
    expectDialog([&said](wxDialog& box) {
        said = messageOf(box);
        return wxID_OK;
    });
    expectDialog([&offeredAgain](wxDialog& dialog) {
        return whenShown(dialog, [&offeredAgain](wxDialog& shown) {
            offeredAgain = dynamic_cast<wxGenericPageSetupDialog&>(shown).m_marginLeftText->GetValue();
            dynamic_cast<wxGenericPageSetupDialog&>(shown).m_marginLeftText->ChangeValue("20");
            pressButton(shown, wxID_OK);
        });
    });
    frame->runCommand(wxID_PRINT_SETUP);
    EXPECT_TRUE(said.StartsWith("These margins leave 49 by ")) << said;
    EXPECT_EQ(offeredAgain, "81");
    EXPECT_EQ(pageSetup().GetMarginTopLeft().x, 20);
    EXPECT_EQ(pageSetup().GetMarginBottomRight().x, 80);
    pageSetup().SetMarginTopLeft(wxPoint(15, 15));
    pageSetup().SetMarginBottomRight(wxPoint(15, 15));
}

TEST_F(PrintingTest, ThePreviewKnowsThePageCount)
{
    wxPrintFactory::SetPrintFactory(new wxNativePrintFactory);
    openViewer(threeHundredTowers());
    wxPrintData data;
    data.SetPaperId(wxPAPER_A4);
    printSettings().SetPrintData(data);
    frame->mapView()->canvas()->SetFocus();
    settle();
    frame->runCommand(wxID_PREVIEW);
    wxWindow* preview = nullptr;
    ASSERT_TRUE(waitUntil([&preview] {
        for (wxWindow* window : wxTopLevelWindows)
            if (dynamic_cast<wxPreviewFrame*>(window) != nullptr) preview = window;
        return preview != nullptr;
    }));
    auto* previewFrame = static_cast<wxPreviewFrame*>(preview);
    wxPrintPreviewBase* pages = previewFrame->GetControlBar()->GetPrintPreview();
    // The preview counts the pages when it first shows one.
    EXPECT_TRUE(waitUntil([pages] { return pages->GetMaxPage() >= 3; })) << pages->GetMaxPage();
    previewFrame->Close(true);
    settle();

    // The keys reach the pane that had them before.
    EXPECT_TRUE(waitUntil([this] { return wxWindow::FindFocus() == frame->mapView()->canvas(); }));
    expectDialog([](wxDialog&) { return wxID_CANCEL; });
    pressKey(WXK_F2);
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"Options"}));
}

}  // namespace
