#include <gtest/gtest.h>

#include "document/control_bar.h"
#include "document/dialog_choices.h"
#include "document/list_geometry.h"
#include "document/print_layout.h"
#include "document/map_geometry.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/user_fields.h"
#include "query/tower_database.h"
#include "tests/document/doc_test_support.h"

using namespace docfixture;

namespace {

// --- The tower list ------------------------------------------------------------------------------

struct ListCase {
    std::int32_t towers;
    std::int32_t clientHeight;
    std::int32_t extentHeight;
    std::int32_t lineStep;
    std::int32_t pageStep;
    std::int32_t scrollPosition;
    std::int32_t topIndex;
    std::int32_t clickY;            // in the window, scrolled by scrollPosition
    std::int32_t picked;
};

TEST(ListGeometry, ExtentStepsTopIndexAndClicksFollowTheListLength)
{
    const ListCase cases[] = {
        {100, 500, 1800, 36, 250, 0, 0, 40, 2},
        {1820, 500, 32760, 36, 250, 0, 0, 0, 0},
        {1820, 500, 32760, 36, 250, 32260, 0, 499, 1819},
        // The first visible line at scroll position 1000 is line 55.
        {5000, 500, 32760, 13, 91, 1000, 98, 0, 153},
        // At the last position the bottom line shows the last tower.
        {5000, 500, 32760, 13, 91, 32260, 3180, 499, 4999},
        {32767, 500, 32760, 1, 13, 32260, 30947, 499, 32766},
        {32767, 800, 32760, 1, 22, 16000, 15489, 0, 16377},
        {0, 500, 18, 36, 250, 0, 0, 5, 0},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.towers << " towers at scroll position " << c.scrollPosition);
        const ListLayout layout = listLayout(c.towers, c.clientHeight);
        EXPECT_EQ(layout.extentHeight, c.extentHeight);
        EXPECT_EQ(layout.lineStep, c.lineStep);
        EXPECT_EQ(layout.pageStep, c.pageStep);
        const std::int32_t top = topIndex(layout, c.scrollPosition, c.clientHeight);
        EXPECT_EQ(top, c.topIndex);
        EXPECT_EQ(displayPositionAt(c.scrollPosition + c.clickY, top), c.picked);
    }
}

TEST(ListGeometry, ScrollingToShowALineMovesAsLittleAsWillShowItWhole)
{
    const struct {
        std::int32_t towers;
        std::int32_t clientHeight;
        std::int32_t displayPosition;
        std::int32_t scrollPosition;
        std::int32_t showing;
    } cases[] = {
        {100, 500, 2, 0, 0},
        {100, 500, 50, 0, 418},       // 50 * 18 + 18 - 500: on the bottom line
        {100, 500, 10, 418, 180},     // on the top line
        {100, 500, 99, 0, 1300},
        {3, 500, 2, 0, 0},
        // Capped: from position 15742 on, position 16000 is no lower than the bottom line.
        {32767, 500, 16000, 0, 15743},
        {32767, 500, 32766, 0, 32260},
        {32767, 500, 100, 16000, 99},
        {32767, 500, 16234, 16000, 16000},  // line 889, 2 pixels below the window's top
        {5000, 500, 4999, 0, 32260},
        {5000, 500, 0, 32260, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.towers << " towers, position " << c.displayPosition);
        const ListLayout layout = listLayout(c.towers, c.clientHeight);
        EXPECT_EQ(scrollPositionShowing(layout, c.displayPosition, c.scrollPosition, c.clientHeight), c.showing);
    }
}

TEST(ListGeometry, OnlyTheLinesInAnUpdateAreaArePainted)
{
    const ListLayout capped = listLayout(32767, 800);
    EXPECT_EQ(linesMeeting(capped, 0, 799), (LineRange{0, 45}));
    EXPECT_EQ(linesMeeting(capped, 16000, 16799), (LineRange{888, 934}));
    EXPECT_EQ(linesMeeting(capped, 32700, 33500), (LineRange{1816, 1820}));
    const ListLayout shortList = listLayout(3, 800);
    EXPECT_EQ(linesMeeting(shortList, 0, 799), (LineRange{0, 3}));
    EXPECT_EQ(linesMeeting(shortList, 100, 120), (LineRange{3, 3}));
}

TEST(PrintLayout, ALineTooLongForThePageWrapsAtBlanksOntoIndentedLines)
{
    // Every byte 10 pixels wide; pages 120 pixels wide unless said, continuations indented by 20.
    const auto measure = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    struct Case {
        std::string_view line;
        std::vector<std::string> pieces;
        int width = 120;
    };
    const Case cases[] = {
        {"Aston", {"Aston"}},
        {"012345678901", {"012345678901"}},
        {"Aston, Midshire, S Mary", {"Aston,", "Midshire,", "S Mary"}},
        {"Abcdefghijklmnop qr", {"Abcdefghijkl", "mnop qr"}},
        {"ab abcdefghijklmnopqrstu", {"ab", "abcdefghij", "klmnopqrst", "u"}},
        {"TQ102665  http://x", {"TQ102665 ", "http://x"}},
        {"", {""}},
        // Narrower than a continuation's indent: a byte a piece, and the line still ends.
        {"abc", {"a", "b", "c"}, 15},
    };
    for (const Case& c : cases) EXPECT_EQ(wrapLine(c.line, c.width, 20, measure), c.pieces) << c.line;

    // A value as long as a box holds, without a blank: measured only about as far as each
    // printed line reaches, not to its end again for every line.
    const std::string word(65534, 'x');
    std::size_t measured = 0;
    const auto pieces = wrapLine(word, 1000, 20, [&](std::string_view text) {
        measured += text.size();
        return measure(text);
    });
    EXPECT_EQ(pieces.size(), 669u);
    EXPECT_LT(measured, 20 * word.size());
}

TEST(PrintLayout, MarginsThatLeaveTheListNoRoomAreRefused)
{
    const struct {
        PaperMargins page;
        std::optional<std::string> refusal;
    } rows[] = {
        {{210, 297, 15, 15, 15, 15}, std::nullopt},
        {{210, 297, 80, 138, 80, 139}, std::nullopt},  // 50 by 20 mm, just enough
        {{210, 297, 100, 15, 100, 15}, "These margins leave 10 by 267 mm of the 210 by 297 mm page, and the "
                                       "list needs at least 50 by 20 mm. Please enter margins that leave that "
                                       "much, or Cancel to keep the earlier page setup."},
        {{210, 297, 150, 150, 150, 150}, "These margins leave 0 by 0 mm of the 210 by 297 mm page, and the "
                                         "list needs at least 50 by 20 mm. Please enter margins that leave that "
                                         "much, or Cancel to keep the earlier page setup."},
        {{0, 0, 15, 15, 15, 15}, std::nullopt},  // no paper chosen: A4
        {{0, 0, 200, 15, 15, 15}, "These margins leave 0 by 267 mm of an A4 page, 210 by 297 mm, as no paper "
                                  "is chosen, and the list needs at least 50 by 20 mm. Please enter margins "
                                  "that leave that much, or Cancel to keep the earlier page setup."},
    };
    for (const auto& row : rows) EXPECT_EQ(marginsRefusal(row.page), row.refusal) << row.page.left;
}

TEST(PrintLayout, EveryTowerGoesWholeOntoAPage)
{
    struct Case {
        std::vector<std::int32_t> linesOfTowers;
        std::int32_t linesPerPage;
        std::vector<std::int32_t> starts;
    };
    const Case cases[] = {
        {std::vector<std::int32_t>(300, 1), 62, {0, 62, 124, 186, 248}},
        {std::vector<std::int32_t>(62, 1), 62, {0}},
        {{}, 62, {0}},
        {{1, 2, 2, 1}, 4, {0, 3}},      // the second two-line tower moves on whole
        {{1, 9, 1}, 4, {0, 1, 5, 9}},   // a tower longer than a page starts pages of its own
        {{3, 3}, 0, {0, 1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) EXPECT_EQ(pageStarts(c.linesOfTowers, c.linesPerPage), c.starts);
}

// --- The map -------------------------------------------------------------------------------------

class MapGeometryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat",
                       "NG\\FULL\\Place\\Bells\\UR\n"
                       "TQ102665\\Midshire\\Aston\\12\\\n"
                       "TQ102665\\Midshire\\Aston Parva\\6\\x\n"
                       "TQ352665\\Midshire\\Bexley\\20\\\n"
                       "TQ602665\\Midshire\\Cobham\\8\\\n"
                       "\\Hants\\Easton\\5\\\n");
        database = TowerDatabase(folder / "vesk.dat");
        setDefaultSortKeys(database);
        database.centre = {5102, 1665};
        database.radius = 50000;
        recomputeDisplayed(database, UserFields{});
    }

    const Tower& tower(const std::string& place) const
    {
        for (const auto& [id, t] : database.towers())
            if (t.place == place) return t;
        throw std::runtime_error("no tower " + place);
    }

    TemporaryFolder folder;
    TowerDatabase database;
};

TEST_F(MapGeometryTest, TowersLandOnTheirCanvasPixels)
{
    EXPECT_EQ(canvasPixel(viewCoordinates(database, tower("Aston"))), (CanvasPoint{500, 500}));
    EXPECT_EQ(canvasPixel(viewCoordinates(database, tower("Bexley"))), (CanvasPoint{750, 500}));
    EXPECT_FALSE(onMap(viewCoordinates(database, tower("Cobham"))));  // vx = 1, on the edge
    EXPECT_FALSE(onMap(viewCoordinates(database, tower("Easton"))));
    EXPECT_EQ(canvasPixel({-0.5, 0.25}), (CanvasPoint{250, 375}));
    EXPECT_EQ(canvasPixel({1e9, -1e9}), (CanvasPoint{4'000'000, 4'000'000}));
    EXPECT_EQ(viewPointOfPixel({750, 250}), (ViewPoint{0.5, 0.5}));
}

TEST_F(MapGeometryTest, OutlinePointsAndTowersShareOneScale)
{
    for (const std::int32_t radius : {3125, 50000, 1, 7}) {
        database.radius = radius;
        for (const Position p : {Position{5102, 1665}, Position{5110, 1660}, Position{5090, 1671},
                                 Position{5103, 1665}}) {
            const ViewPoint v = viewCoordinates(database, p);
            if (!onMap(v)) continue;
            EXPECT_EQ(outlinePixel(database, p), canvasPixel(v)) << radius << " m, " << p.x << "," << p.y;
        }
    }
}

TEST_F(MapGeometryTest, AClickAtARadiusOfNoMetresFindsTheTowerDrawnThere)
{
    database.radius = 0;
    const ViewPoint bexley = viewCoordinates(database, tower("Bexley"));
    EXPECT_EQ(groundPoint(database, bexley), (GroundPoint{5352, 1665}));
    EXPECT_EQ(nearestVisibleTower(database, bexley), &tower("Bexley"));
}

// Zoomed in to a radius of 1000 m, 100 m is 50 pixels: a click picks the tower drawn nearest
// it, not the one nearest the 100 m square it falls in.
TEST(MapPicking, AClickFindsTheTowerDrawnNearestItWhereTowersAreFewMetresApart)
{
    TemporaryFolder folder;
    writeDirectory(folder / "vesk.dat", "NG\\Place\n"
                                        "TQ102665\\West\n"
                                        "TQ103665\\East\n");
    TowerDatabase database(folder / "vesk.dat");
    setDefaultSortKeys(database);
    database.centre = {5102, 1665};
    database.radius = 1000;
    recomputeDisplayed(database, UserFields{});
    const struct {
        double groundX;
        std::string_view picked;
    } rows[] = {{5102.1, "West"}, {5102.45, "West"}, {5102.55, "East"}, {5102.9, "East"}, {5101.2, "West"},
                {5103.8, "East"}};
    for (const auto& row : rows) {
        const ViewPoint click{(row.groundX - 5102) * 100 / 1000, 0};
        const Tower* picked = nearestVisibleTower(database, click);
        ASSERT_NE(picked, nullptr);
        EXPECT_EQ(picked->place, row.picked) << row.groundX;
    }
}

TEST_F(MapGeometryTest, PolylinesOutsideTheSquareAreSkipped)
{
    OutlinePolyline west;  // x 500 to 1000, y 100 to 2000
    west.addPoint({1000, 2000});
    west.addPoint({500, 100});
    EXPECT_FALSE(polylineInView(database, west));
    database.centre = {1200, 1000};  // the square reaches x 700
    EXPECT_TRUE(polylineInView(database, west));
    database.centre = {1500, 1000};  // reaches x 1000 exactly: the box only touches it
    EXPECT_FALSE(polylineInView(database, west));
}

TEST_F(MapGeometryTest, SegmentsBeyondOneEdgeOfTheCanvasAreLeftOut)
{
    // Radius 50000: one unit of 100 m is one pixel; the canvas spans x 4602 to 5602.
    OutlinePolyline line;
    for (const Position p : {Position{5102, 1665}, Position{4102, 1665}, Position{3102, 1665},
                             Position{3102, 1415}, Position{5002, 1415}, Position{5012, 1415}})
        line.addPoint(p);
    CanvasRuns runs;
    outlineRuns(database, line, runs);
    EXPECT_EQ(runs.runLengths, (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(runs.points, (std::vector<CanvasPoint>{{500, 500}, {-500, 500}, {-1500, 750},
                                                     {400, 750}, {410, 750}}));
}

TEST_F(MapGeometryTest, MarkersRingEveryTowerOnTheCurrentTowersSpot)
{
    TowerMarkers drawn;
    towerMarkers(database, viewCoordinates(database, tower("Aston")), drawn);
    const std::vector<TowerMarker>& markers = drawn.shown;
    ASSERT_EQ(markers.size(), 3u);  // Cobham is on the edge, Easton has no position
    EXPECT_EQ(markers[0].at, (CanvasPoint{500, 500}));
    EXPECT_TRUE(markers[0].ringed);
    EXPECT_EQ(mapPens[markers[0].pen], (PenColour{255, 0, 0}));  // twelve bells
    EXPECT_TRUE(markers[1].ringed);
    EXPECT_TRUE(markers[1].unringable);
    EXPECT_EQ(markers[1].pen, 6u);
    EXPECT_FALSE(markers[2].ringed);
    EXPECT_EQ(markers[2].pen, 16u);  // twenty bells: the last pen
    towerMarkers(database, offMap, drawn);
    EXPECT_FALSE(markers[0].ringed);
}

// A marker's pixels as rows of text, the tower's pixel in the middle: '#' the pen, 'o' white.
std::string markerPicture(bool ringed, bool unringable)
{
    std::string rows(9 * 10, '.');
    for (std::size_t row = 0; row < 9; ++row) rows[row * 10 + 9] = '\n';
    for (const MarkerDot& dot : markerDots({{0, 0}, 0, ringed, unringable}))
        rows[(dot.dy + 4) * 10 + dot.dx + 4] = dot.white ? 'o' : '#';
    return rows;
}

TEST(MapShapes, MarkersPensAndTheCentringScroll)
{
    EXPECT_EQ(markerPicture(false, false),
              ".........\n"
              ".........\n"
              "....#....\n"
              "....#....\n"
              "..#####..\n"
              "....#....\n"
              "....#....\n"
              ".........\n"
              ".........\n");
    EXPECT_EQ(markerPicture(false, true),
              ".........\n"
              ".........\n"
              ".........\n"
              "...#.#...\n"
              "....#....\n"
              "...#.#...\n"
              ".........\n"
              ".........\n"
              ".........\n");
    EXPECT_EQ(markerPicture(true, false),
              "..#####..\n"
              ".##ooo##.\n"
              "##oo#oo##\n"
              "#ooo#ooo#\n"
              "#o#####o#\n"
              "#ooo#ooo#\n"
              "##oo#oo##\n"
              ".##ooo##.\n"
              "..#####..\n");
    EXPECT_EQ(mapPens[penIndex(0)], (PenColour{0, 0, 127}));
    EXPECT_EQ(mapPens[penIndex(8)], (PenColour{0, 127, 0}));
    EXPECT_EQ(penIndex(-3), 0u);
    EXPECT_EQ(centringScroll(400, 301), (CanvasPoint{300, 350}));
    EXPECT_EQ(centringScroll(1200, 800), (CanvasPoint{-100, 100}));
}

// --- The control bar and the dialogs' answers ----------------------------------------------------

TEST(ControlBar, ShowsTheButtonsThatApplyToTheTower)
{
    TemporaryFolder folder;
    writeDirectory(folder / "vesk.dat");
    const TowerDatabase database(folder / "vesk.dat");
    auto named = [&](const std::string& place) {
        for (const auto& [id, t] : database.towers())
            if (t.place == place) return &t;
        return static_cast<const Tower*>(nullptr);
    };
    EXPECT_EQ(showCurrentTower(named("Aston"), database),
              (ControlBarState{true, true, true, true, "Aston, Midshire, S Mary"}));
    EXPECT_EQ(showCurrentTower(named("Bexley"), database),
              (ControlBarState{true, true, false, true, "Bexley, Midshire, S John"}));
    EXPECT_EQ(showCurrentTower(named("Easton"), database),
              (ControlBarState{false, true, false, false, "Easton, Hants, S Peter"}));
    EXPECT_EQ(showCurrentTower(nullptr, database), ControlBarState{});
}

TEST(DialogChoices, SelectEntriesNameBuiltInAndUserFields)
{
    UserFields fields;
    fields[4].name = "Visited";
    const SelectionStep onVisited = selectionStepOf({12, "1/1/2000", "", true, StepMode::Or}, fields);
    EXPECT_TRUE(onVisited.userField);
    EXPECT_EQ(onVisited.field, 4);
    EXPECT_TRUE(onVisited.exclude);
    EXPECT_EQ(onVisited.fromText, "1/1/2000");
    EXPECT_EQ(selectionStepOf({-1, "a", "b", false, StepMode::And}, fields).field, -1);
    const SelectionStep invert = selectionStepOf({3, "a", "b", true, StepMode::Invert}, fields);
    EXPECT_EQ(invert.field, 0);
    EXPECT_FALSE(invert.exclude);
    EXPECT_EQ(invert.fromText, "");
}

TEST(DialogChoices, SortRowsTheUserLeftAloneKeepTheirKeys)
{
    UserFields fields;
    fields[2].name = "Visits";
    const SortKeys keys = {SortKey{true, 7, false}, SortKey{true, 2, true}, SortKey{false, 3, false}};
    const SortRows shown = sortRowsOf(keys, fields);
    EXPECT_EQ(shown, (SortRows{SortRow{-1, false}, SortRow{8, true}, SortRow{3, false}}));

    SortRows chosen = shown;
    chosen[0].descending = true;       // slot 7 has no name, but the key stays on it
    chosen[2].fieldEntry = 8;          // now the Visits field
    EXPECT_EQ(sortKeysOf(keys, shown, chosen, fields),
              (SortKeys{SortKey{true, 7, true}, SortKey{true, 2, true}, SortKey{true, 2, false}}));
    chosen[1].fieldEntry = -1;         // a typed text that names no entry
    EXPECT_EQ(sortKeysOf(keys, shown, chosen, fields)[1], (SortKey{false, -1, true}));
}

TEST(DialogChoices, FieldNamesMustBeToldApartAndShowSomething)
{
    // Each row: names typed in rows 0 to 3, and the row refused (-1: none) with its message.
    const struct {
        std::array<std::string, userFieldCount> names;
        int refusedRow;
        std::string message;
    } rows[] = {
        {{"Count", "", "Counts", "County town"}, -1, ""},
        {{"Count", "Visited", "", "Count"}, 3,
         "\"Count\" is the name of another field: lists and exports could not tell them apart. Please give it "
         "another name."},
        {{"Count", " count "}, 1,
         "\" count \" is too like \"Count\", the name of another field: lists and exports could not tell them apart. "
         "Please give it another name."},
        {{"Visited", "County"}, 1,
         "\"County\" is too like \"county\", the name of a built-in field: lists and exports could not tell them "
         "apart. Please give it another name."},
        {{"\xC9glise", "\xE9glise"}, 1,
         "\"\xE9glise\" is too like \"\xC9glise\", the name of another field: lists and exports could not tell them "
         "apart. Please give it another name."},
        {{"Visited", "place\xA0name"}, 1,
         "\"place\xA0name\" is too like \"place name\", the name of a built-in field: lists and exports could not "
         "tell them apart. Please give it another name."},
        {{"Visited", " \t "}, 1,
         "A field's name of blanks alone would show as an empty button. Please type a name, or empty the box to "
         "hide the field."},
    };
    for (const auto& row : rows) {
        const auto refusal = fieldNameRefusal(row.names);
        EXPECT_EQ(refusal ? refusal->row : -1, row.refusedRow) << row.names[1];
        EXPECT_EQ(refusal ? refusal->message : "", row.message) << row.names[1];
    }
}

}  // namespace
