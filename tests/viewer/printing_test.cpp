#include <wx/cmndata.h>
#include <wx/print.h>
#include <wx/printdlg.h>

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

class PrintingTest : public ViewerTest {};

TEST_F(PrintingTest, EveryTowerIsPrintedOverAsManyPagesAsItTakes)
{
    // PostScript into a file: the toolkit's own printing cannot print without a dialog here.
    wxPrintFactory::SetPrintFactory(new wxNativePrintFactory);
    openViewer(threeHundredTowers());
    wxPrintData data;
    data.SetPaperId(wxPAPER_A4);
    data.SetPrintMode(wxPRINT_MODE_FILE);
    data.SetFilename((folder / "list.ps").string());
    printSettings().SetPrintData(data);

    printList(*frame, document(), PrintRequest::WithoutDialog);
    const auto printed = folder.read("list.ps");
    ASSERT_TRUE(printed.has_value());
    const int pages = count(*printed, "%%Page:");
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 12);
    for (int i = 1; i <= 300; ++i) {
        char place[16];
        std::snprintf(place, sizeof place, "Tower %03d", i);
        ASSERT_EQ(count(*printed, place), 1) << place;
    }
    EXPECT_LT(printed->find("Tower 001"), printed->find("Tower 300"));
}

TEST_F(PrintingTest, ThePreviewKnowsThePageCount)
{
    wxPrintFactory::SetPrintFactory(new wxNativePrintFactory);
    openViewer(threeHundredTowers());
    wxPrintData data;
    data.SetPaperId(wxPAPER_A4);
    printSettings().SetPrintData(data);
    previewList(*frame, document());
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
}

}  // namespace
