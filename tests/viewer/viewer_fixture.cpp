#include "tests/viewer/viewer_fixture.h"

#include <filesystem>

#include <wx/window.h>

#include "compiler/compile_directory.h"
#include "records/file_bytes.h"
#include "records/source_parser.h"

std::string sampleSource()
{
    return readFileBytes(std::filesystem::path(BELFRIX_SOURCE_DIR) / "data/vesk.txt", directorySourceFile);
}

void ViewerTest::openViewer(const std::string& sourceText, Outline outline)
{
    forgetDialogs();
    compileSource(sourceText).write(folder / "vesk.dat");
    if (outline == Outline::Sample)
        std::filesystem::copy_file(std::filesystem::path(BELFRIX_SOURCE_DIR) / "data/map.dat", folder / "map.dat");
    frame = new VeskFrame(ViewerSetup{ViewerFiles{folder / "vesk.dat", folder / "map.dat"}, "browser "});
    ASSERT_TRUE(frame->shell().newDocument());
    frame->SetPosition({0, 0});
    frame->Show();
    frame->Raise();
    ASSERT_TRUE(waitUntil([this] { return frame->IsShownOnScreen(); }));
    settle();
    frame->listView()->SetFocus();
    moveMouse(frame->listView(), {5, 5});
    settle();
}

void ViewerTest::TearDown()
{
    if (frame != nullptr) {
        frame->Destroy();
        settle();
    }
    EXPECT_TRUE(everyExpectedDialogOpened()) << "a dialog the test expected never opened";
    forgetDialogs();
}

const Tower* ViewerTest::towerNamed(const std::string& place) const
{
    for (const auto& [id, tower] : frame->document().database()->towers())
        if (tower.place == place) return &tower;
    return nullptr;
}

std::int32_t ViewerTest::displayPositionOf(const Tower* tower) const
{
    const TowerDatabase& database = *frame->document().database();
    for (std::int32_t i = 0; i < database.displayedCount(); ++i)
        if (database.displayedTower(i) == tower) return i;
    return -1;
}

void ViewerTest::moveMouse(wxWindow* window, wxPoint point)
{
    input.MouseMove(window->ClientToScreen(point));
    settle(std::chrono::milliseconds(50));
}

void ViewerTest::click(wxWindow* window, wxPoint point)
{
    moveMouse(window, point);
    input.MouseClick();
    settle();
}

void ViewerTest::doubleClick(wxWindow* window, wxPoint point)
{
    moveMouse(window, point);
    input.MouseDblClick();
    settle();
}

void ViewerTest::pressKey(int keyCode, int modifiers)
{
    input.Char(keyCode, modifiers);
    settle();
}

void ViewerTest::typeText(const char* text)
{
    input.Text(text);
    settle();
}
