// The viewer's drawing on the full benchmark directory (32767 towers) and the sample outline,
// each beside its baseline in the same run:
// - the map painted into a bitmap at radius 50000 and at radius 3000 around a point in southern
//   England (the smaller square should cost a tenth or less);
// - the list painted in a window 800 pixels high with 32767 towers and with 100 showing the same
//   first lines (the same cost);
// - the hover lookup with every tower displayed;
// - start-up to the first painting of both panes, with 32767 towers and with an empty directory,
//   and the same painting of 32767 towers already loaded and sorted;
// - the same for the whole window as the user sees it open: the frame with its menus and control
//   bar, shown, until both panes have painted on the screen.
// Needs an X display (scripts/bench.sh provides one).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "bench/stress_database.h"
#include "document/map_geometry.h"
#include "document/vesk_doc.h"
#include "query/selection.h"
#include "tests/support/temporary_folder.h"
#include "viewer/list_view.h"
#include "viewer/map_view.h"
#include "viewer/vesk_frame.h"

namespace {

class NoWindows : public DocumentViews, public DocumentDialogs {
public:
    void updateAllViews() override {}
    void showControlBar(const ControlBarState&) override {}
    void beginBusy() override {}
    void endBusy() override {}
    void showStatus(const std::string&) override {}
    void showMessage(const std::string&) override {}
    void startProgram(const std::string&) override {}
    bool openWithDesktopBrowser(const std::string&) override { return false; }
    std::optional<SelectChoice> runSelectDialog(const std::vector<std::string>&, const DistanceNote&,
                                                const SelectCheck&) override
    {
        return {};
    }
    std::optional<SortRows> runSortDialog(const std::vector<std::string>&, const SortRows&,
                                          const DistanceNote&) override
    {
        return {};
    }
    std::optional<MapOptions> runMapOptionsDialog(const MapOptions&) override { return {}; }
    std::optional<UserFieldDefinitions> runUserFieldsDialog(const UserFieldDefinitions&) override { return {}; }
    void runTowerFieldsDialog(TowerFieldEditor&) override {}
    std::optional<std::filesystem::path> askExportFileName(ExportFormat) override { return {}; }
};

// The two directories of the benchmarks, written once: all 32767 towers, and none; each beside
// the sample outline.
struct Directories {
    TemporaryFolder folder;
    ViewerFiles full{folder / "full.dat", folder / "map.dat"};
    ViewerFiles empty{folder / "empty.dat", folder / "map.dat"};

    Directories()
    {
        const TowerDatabase stress = makeStressDatabase();
        stress.write(full.directory);
        TowerDatabase().write(empty.directory);
        std::filesystem::copy_file(std::filesystem::path(BELFRIX_SOURCE_DIR) / "data/map.dat", full.outline);
    }
};

Directories& directories()
{
    static Directories made;
    return made;
}

NoWindows windows;

std::unique_ptr<VeskDoc> openDocument(const ViewerFiles& files)
{
    auto document = std::make_unique<VeskDoc>(windows, windows, "", files);
    document->newDocument();
    return document;
}

void paintMap(benchmark::State& state, const char* centre, float radius)
{
    const auto document = openDocument(directories().full);
    MapOptions options = document->shownMapOptions();
    options.centreText = centre;
    options.radius = radius;
    document->applyMapOptions(options);
    document->pickByDisplayPosition(0);
    MapPainter painter;
    for (auto _ : state) benchmark::DoNotOptimize(painter.render(*document));
    TowerMarkers markers;
    towerMarkers(*document->database(), offMap, markers);
    state.counters["towers drawn"] = static_cast<double>(markers.shown.size());
}

void BM_MapPaintRadius50000(benchmark::State& state) { paintMap(state, "SU900500", 50000); }
void BM_MapPaintRadius3000(benchmark::State& state) { paintMap(state, "SU900500", 3000); }

// The lines an 800-pixel window shows, as its painting draws them: the first lines of the whole
// directory, or the same lines with the list cut to the first 100 towers by a selection, so that
// both paint the same texts.
void paintList(benchmark::State& state, bool firstHundredOnly)
{
    const auto document = openDocument(directories().full);
    if (firstHundredOnly) {
        SelectionStep upToTheHundredth;
        upToTheHundredth.field = selectPlace;
        upToTheHundredth.toText = document->database()->displayedTower(99)->place;
        document->applySelection(upToTheHundredth);
    }
    wxFrame frame(nullptr, wxID_ANY, "list");
    auto* list = new VeskView(&frame, *document, [](const wxString&) {});
    list->SetSize(600, 800);
    list->update();
    wxBitmap window(600, 800, 24);
    wxMemoryDC dc(window);
    for (auto _ : state) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        list->drawLines(dc, linesMeeting(list->layout(), 0, 799));
    }
    state.counters["towers"] = document->displayedCount();
}

void BM_ListPaint32767(benchmark::State& state) { paintList(state, false); }
void BM_ListPaint100(benchmark::State& state) { paintList(state, true); }

void BM_HoverLookup(benchmark::State& state)
{
    const auto document = openDocument(directories().full);
    double vx = -0.9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(nearestVisibleTower(*document->database(), {vx, 0.3}));
        vx = vx > 0.9 ? -0.9 : vx + 0.01;
    }
    state.counters["towers displayed"] = document->displayedCount();
}

// The panes of a start: the list's window and first update, one painting of each pane.
void paintPanes(wxFrame& frame, VeskDoc& document, MapPainter& painter, wxBitmap& list)
{
    auto* listView = new VeskView(&frame, document, [](const wxString&) {});
    listView->SetSize(600, 800);
    listView->update();
    painter.render(document);
    {
        wxMemoryDC dc(list);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        listView->drawLines(dc, linesMeeting(listView->layout(), 0, 799));
    }
    listView->Destroy();
}

// Load, first update, one painting of each pane.
void startUp(benchmark::State& state, const ViewerFiles& files)
{
    wxFrame frame(nullptr, wxID_ANY, "start");
    wxBitmap list(600, 800, 24);
    MapPainter painter;
    for (auto _ : state) {
        const auto document = openDocument(files);
        paintPanes(frame, *document, painter, list);
    }
}

// The full start without its loading and sorting: what the painting of 32767 towers costs
// beyond an empty directory's start, whatever the directory's reading costs.
void BM_StartUpPaintingOnly32767(benchmark::State& state)
{
    wxFrame frame(nullptr, wxID_ANY, "start");
    wxBitmap list(600, 800, 24);
    MapPainter painter;
    const auto document = openDocument(directories().full);
    for (auto _ : state) paintPanes(frame, *document, painter, list);
}

void BM_StartUp32767(benchmark::State& state) { startUp(state, directories().full); }
void BM_StartUpEmpty(benchmark::State& state) { startUp(state, directories().empty); }

// The frame is made, shown and left to paint; its closing is not timed.
void windowStart(benchmark::State& state, const ViewerFiles& files)
{
    bool listPainted = false;
    bool mapPainted = false;
    for (auto _ : state) {
        auto* frame = new VeskFrame(ViewerSetup{files, "browser "});
        frame->shell().newDocument();
        listPainted = mapPainted = false;
        frame->listView()->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
            listPainted = true;
            event.Skip();
        });
        frame->mapView()->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
            mapPainted = true;
            event.Skip();
        });
        frame->Show();
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(listPainted && mapPainted) && std::chrono::steady_clock::now() < giveUp) wxTheApp->Yield(true);
        state.PauseTiming();
        frame->Destroy();
        wxTheApp->Yield(true);
        if (!(listPainted && mapPainted)) state.SkipWithError("the window did not paint within 10 seconds");
        state.ResumeTiming();
        if (!(listPainted && mapPainted)) break;
    }
}

void BM_WindowStart32767(benchmark::State& state) { windowStart(state, directories().full); }
void BM_WindowStartEmpty(benchmark::State& state) { windowStart(state, directories().empty); }

BENCHMARK(BM_MapPaintRadius50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapPaintRadius3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListPaint32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListPaint100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartUp32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpPaintingOnly32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowStart32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowStartEmpty)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
