#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <sstream>

#include "document/command_ids.h"
#include "document/list_search.h"
#include "document/vesk_doc.h"
#include "document/web_links.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/value_owners.h"
#include "tests/document/doc_test_support.h"
#include "tests/support/special_files.h"

using namespace docfixture;
using Calls = std::vector<std::string>;

namespace {

const std::string astonFull =
    "Aston, Midshire, S Mary, 8 Thu 19.30 TQ102665  http://www.aston.org.uk";

class VeskDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat");
        // One layer holding one polyline of two points, (1000, 2000) and (500, 100).
        writeAll(folder / "map.dat", std::string("\x01\x00\x01\x00\x02\x00\xE8\x03\xD0\x07\xF4\x01\x64\x00", 14));
    }

    std::vector<std::string> places() const
    {
        std::vector<std::string> result;
        for (std::int32_t i = 0; i < doc.displayedCount(); ++i)
            result.emplace_back(doc.database()->displayedTower(i)->place);
        return result;
    }
    const Tower* tower(const std::string& place) const
    {
        for (const auto& [id, t] : doc.database()->towers())
            if (t.place == place) return &t;
        return nullptr;
    }
    // The calls after the User-defined Fields dialog's OK with the first row as given.
    Calls userFieldsOk(const UserFieldDefinition& firstRow)
    {
        windows.calls.clear();
        UserFieldDefinitions rows;
        rows[0] = firstRow;
        windows.userFieldsAnswers.push_back(rows);
        doc.onCommand(command::userFields);
        return windows.calls;
    }
    void pick(const std::string& place)
    {
        doc.setCurrentTower(tower(place));
        windows.calls.clear();
    }
    static SelectionStep step(std::int32_t field, std::string from, std::string to,
                              StepMode mode = StepMode::And)
    {
        SelectionStep s;
        s.field = field;
        s.fromText = std::move(from);
        s.toText = std::move(to);
        s.mode = mode;
        return s;
    }

    TemporaryFolder folder;
    RecordingWindows windows;
    VeskDoc doc{windows, windows, "browser ", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
};

const Calls busyUpdate = {"busy", "update", "not busy"};

TEST_F(VeskDocTest, StartsWithTheDefaultSettingsAndNoDirectory)
{
    EXPECT_EQ(doc.centreText(), "TQ102665");
    EXPECT_EQ(doc.radius(), 50000.0);
    EXPECT_EQ(doc.webMap(), 0);
    EXPECT_TRUE(doc.needsCentring());
    EXPECT_EQ(doc.database(), nullptr);
    EXPECT_EQ(doc.currentTower(), nullptr);
    EXPECT_EQ(doc.displayedCount(), 0);
    EXPECT_EQ(doc.listLine(0), "No tower details");
    EXPECT_EQ(doc.shownMapOptions(), (MapOptions{ReferenceSystem::OS, "TQ102665", 50000.0f, 0}));
}

TEST_F(VeskDocTest, NewDocumentMakesTheViewersDirectory)
{
    ASSERT_TRUE(doc.newDocument());
    const TowerDatabase& database = *doc.database();
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Bexley", "Chart", "Dunton", "Easton", "Fenby"}));
    EXPECT_EQ(database.centre, (Position{5102, 1665}));
    EXPECT_EQ(database.radius, 50000);
    EXPECT_EQ(database.sortKeys, (SortKeys{SortKey{false, 0, false}, SortKey{false, 1, false},
                                           SortKey{false, 2, false}}));
    ASSERT_EQ(database.outline.layers.size(), 1u);
    ASSERT_EQ(database.outline.layers[0].polylines.size(), 1u);
    EXPECT_EQ(database.outline.layers[0].polylines[0].minX, 500);
    EXPECT_EQ(database.outline.layers[0].polylines[0].maxY, 2000);

    EXPECT_EQ(doc.listLine(0), astonFull);
    EXPECT_EQ(doc.listLine(6), "No tower details");
    EXPECT_EQ(windows.calls, (Calls{"update"}));
}

TEST_F(VeskDocTest, MissingDataFilesGiveAnEmptyDirectoryWithoutAMessage)
{
    VeskDoc empty{windows, windows, "", ViewerFiles{folder / "none.dat", folder / "none.map"}};
    ASSERT_TRUE(empty.newDocument());
    EXPECT_EQ(empty.displayedCount(), 0);
    EXPECT_TRUE(empty.database()->outline.layers.empty());
    empty.pickNearest({0, 0});
    EXPECT_EQ(empty.currentTower(), nullptr);
    EXPECT_EQ(empty.hoverText({0, 0}), "No tower details");
    EXPECT_EQ(windows.calls, (Calls{"update", "control bar: none", "update"}));
    // The list says where it looked, and what makes the file.
    EXPECT_EQ(empty.listLine(0), "No tower directory at " + quotedPath(folder / "none.dat") +
                                     ": veskcomp makes one from vesk.txt in that folder.");
}

TEST_F(VeskDocTest, ADamagedOrUnreadableFileIsSaidOnceAndWhatCouldBeReadIsShown)
{
    const std::string directory = readAll(folder / "vesk.dat");
    const std::string outline = readAll(folder / "map.dat");
    struct Case {
        std::string name;
        std::function<void()> spoil;
        std::string said;
        std::int32_t towersShown;
    };
    const auto path = [this](const char* name) { return quotedPath(folder / name); };
    const Case cases[] = {
        {"directory cut short", [&] { writeAll(folder / "vesk.dat", directory.substr(0, 60)); },
         path("vesk.dat") + " is damaged: its 60 bytes end before its last end marker. 2 towers (the last perhaps "
                            "only in part), 0 counties, 0 dedications and 0 web addresses could be read.\n",
         2},
        {"outline cut short", [&] { writeAll(folder / "map.dat", outline.substr(0, 9)); },
         path("map.dat") + " is damaged: its 9 bytes end before its counts do. 1 layer with 0 polylines "
                           "could be read.\n",
         6},
        {"directory not a regular file",
         [&] {
             std::filesystem::remove(folder / "vesk.dat");
#ifdef _WIN32
             std::filesystem::create_directory(folder / "vesk.dat");
#else
             ::mkfifo((folder / "vesk.dat").c_str(), 0600);  // opening it must not wait for a writer
#endif
         },
         path("vesk.dat") + " is not a regular file: the list is empty.\n", 0},
    };
    for (const Case& c : cases) {
        SetUp();
        std::filesystem::remove(folder / "vesk.dat");
        writeDirectory(folder / "vesk.dat");
        c.spoil();
        const bool said = finishesWithin(10, [&] {
            VeskDoc viewer{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
            windows.calls.clear();
            viewer.newDocument();
            const Calls once{"message: " + c.said, "update"};
            const bool first = windows.calls == once && viewer.displayedCount() == c.towersShown;
            viewer.newDocument();  // the same damage again is not said again
            return first && windows.calls == Calls{"message: " + c.said, "update", "update"};
        });
        EXPECT_TRUE(said) << c.name;
    }
}

TEST_F(VeskDocTest, PicksByDisplayPositionAndByNearestPoint)
{
    doc.newDocument();
    windows.calls.clear();
    doc.pickByDisplayPosition(1);
    EXPECT_EQ(doc.currentTower(), tower("Bexley"));
    EXPECT_EQ(windows.calls, (Calls{"control bar: Bexley, Midshire, S John", "update"}));
    doc.pickByDisplayPosition(6);
    EXPECT_EQ(doc.currentTower(), nullptr);

    // Half the radius east of the centre is 25 km east: Bexley.
    doc.pickNearest({0.5, 0});
    EXPECT_EQ(doc.currentTower(), tower("Bexley"));
    // 9.5 km east: Fenby at 10 km is nearer than Aston on the centre.
    doc.pickNearest({0.19, 0});
    EXPECT_EQ(doc.currentTower(), tower("Fenby"));
    // 5 km east lies as far from Aston as from Fenby; Aston comes first in display order.
    doc.pickNearest({0.1, 0});
    EXPECT_EQ(doc.currentTower(), tower("Aston"));
    // Far outside the map still finds a tower.
    doc.pickNearest({-40, -40});
    EXPECT_EQ(doc.currentTower(), tower("Dunton"));

    EXPECT_EQ(doc.hoverText({0.5, 0}), "Bexley, Midshire, S John");
    EXPECT_EQ(doc.currentTower(), tower("Dunton"));  // hovering picks nothing
}

TEST_F(VeskDocTest, ATowerWithoutPositionIsNearestOnlyWhenNoOtherIsDisplayed)
{
    doc.newDocument();
    doc.applySelection(step(selectBells, "5", "6"));  // Bexley and Easton
    doc.pickNearest({5, 5});
    EXPECT_EQ(doc.currentTower(), tower("Bexley"));
    doc.applySelection(step(selectBells, "5", "5"));  // Easton alone
    doc.pickNearest({0, 0});
    EXPECT_EQ(doc.currentTower(), tower("Easton"));
    doc.applySelection(step(selectBells, "99", "99"));
    doc.pickNearest({0, 0});
    EXPECT_EQ(doc.currentTower(), nullptr);
}

TEST_F(VeskDocTest, MeasuringFromTheCurrentTowerGivesItsViewCoordinates)
{
    doc.newDocument();
    EXPECT_EQ(doc.currentTowerViewPoint(), offMap);
    EXPECT_EQ(doc.database()->distanceReference, nullptr);

    pick("Bexley");
    EXPECT_EQ(doc.currentTowerViewPoint(), (ViewPoint{0.5, 0}));
    EXPECT_EQ(doc.database()->distanceReference, tower("Bexley"));
    pick("Chart");
    EXPECT_EQ(doc.currentTowerViewPoint(), (ViewPoint{0, 0.1}));
    pick("Easton");
    EXPECT_EQ(doc.currentTowerViewPoint(), offMap);

    // On the edge of the square: vx = 1, outside the open square the map shows.
    EXPECT_EQ(viewCoordinates(*doc.database(), Position{5602, 1665}), (ViewPoint{1, 0}));
    EXPECT_EQ(viewCoordinates(*doc.database(), Position{5102, 1665}), (ViewPoint{0, 0}));
}

TEST_F(VeskDocTest, NewDocumentKeepsSettingsFieldsAndCurrentTowerButNotSelectionOrSort)
{
    doc.newDocument();
    pick("Chart");
    const TowerId chart = doc.currentTower()->id;
    doc.applySelection(step(selectBells, "8", "8"));
    doc.applySortKeys({SortKey{false, sortBells, true}, SortKey{}, SortKey{}});
    doc.zoomIn();
    doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 25000, 1});
    doc.userFields()[0].name = "Visited";
    doc.userFields()[0].numbers[chart] = 5;
    windows.calls.clear();

    ASSERT_TRUE(doc.newDocument());
    EXPECT_EQ(doc.displayedCount(), 6);
    EXPECT_TRUE(doc.database()->selectionSteps.empty());
    EXPECT_EQ(doc.database()->sortKeys[0], (SortKey{false, 0, false}));
    EXPECT_EQ(doc.radius(), 25000.0);
    EXPECT_EQ(doc.database()->radius, 25000);
    EXPECT_EQ(doc.webMap(), 1);
    EXPECT_EQ(doc.userFields()[0].numbers.at(chart), 5);
    ASSERT_NE(doc.currentTower(), nullptr);
    EXPECT_EQ(doc.currentTower(), doc.database()->tower(chart));  // a tower of the new directory
    EXPECT_EQ(windows.calls, (Calls{"control bar: Chart, Kent, All Saints", "update"}));
}

TEST_F(VeskDocTest, NewDocumentDropsACurrentTowerTheNewDirectoryLacks)
{
    doc.newDocument();
    pick("Fenby");
    writeDirectory(folder / "vesk.dat", "Place\nSomewhere\n");
    doc.newDocument();
    EXPECT_EQ(doc.currentTower(), nullptr);
    EXPECT_EQ(windows.calls, (Calls{"control bar: none", "update"}));
}

TEST_F(VeskDocTest, PansMoveTheCentreByHalfTheRadius)
{
    doc.newDocument();
    struct Case {
        int command;
        Position centre;
        const char* centreText;
    };
    const Case cases[] = {
        {command::east, {5352, 1665}, "TQ352665"},
        {command::west, {4852, 1665}, "SU852665"},
        {command::north, {5102, 1915}, "TQ102915"},
        {command::south, {5102, 1415}, "TQ102415"},
    };
    for (const Case& c : cases) {
        doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 50000, 0});
        windows.calls.clear();
        ASSERT_TRUE(doc.onCommand(c.command));
        EXPECT_EQ(doc.database()->centre, c.centre) << c.command;
        EXPECT_EQ(doc.centreText(), c.centreText);
        EXPECT_EQ(windows.calls, busyUpdate);
    }
}

TEST_F(VeskDocTest, ZoomHalvesOrDoublesTheRadiusAndRewritesTheCentreText)
{
    doc.newDocument();
    doc.session().setReferenceSystem(ReferenceSystem::UTM);
    doc.onCommand(command::zoomIn);
    EXPECT_EQ(doc.radius(), 25000.0);
    EXPECT_EQ(doc.database()->radius, 25000);
    EXPECT_EQ(doc.database()->centre, (Position{5102, 1665}));
    EXPECT_EQ(doc.centreText(), "30U:(679,5696)");
    EXPECT_EQ(doc.shownMapOptions().radius, 25000.0f);

    for (int i = 0; i < 4; ++i) doc.zoomIn();
    EXPECT_EQ(doc.radius(), 1562.5);
    EXPECT_EQ(doc.database()->radius, 1562);
    EXPECT_EQ(radiusText(doc.shownMapOptions().radius), "1562.5");
    // Half of 1562.5 m is 781 whole metres, 7 whole 100 m units.
    doc.east();
    EXPECT_EQ(doc.database()->centre, (Position{5109, 1665}));

    doc.onCommand(command::zoomOut);
    EXPECT_EQ(doc.radius(), 3125.0);
    EXPECT_EQ(doc.database()->radius, 3125);
}

TEST_F(VeskDocTest, ZoomStopsAtTheLargestRadiusTheOptionsDialogTakesAndAtAMetre)
{
    doc.newDocument();
    for (int i = 0; i < 40; ++i) doc.zoomOut();
    EXPECT_EQ(doc.radius(), 1000000.0);
    EXPECT_EQ(doc.database()->radius, 1000000);
    EXPECT_EQ(radiusText(doc.shownMapOptions().radius), "1000000");
    doc.zoomIn();
    EXPECT_EQ(doc.radius(), 500000.0);

    // The dialog takes a radius of 0, which doubling would keep, and a document any radius:
    // from below a metre Zoom Out opens the map at 1 m.
    for (const float radius : {0.0f, 0.75f}) {
        MapOptions options = doc.shownMapOptions();
        options.radius = radius;
        doc.applyMapOptions(options);
        doc.zoomOut();
        EXPECT_EQ(doc.radius(), 1.0) << radius;
    }
    // Zoom In stops there too: half a metre would show nothing.
    for (const auto& [radius, zoomedIn] : {std::pair{3.0f, 1.5}, {1.5f, 1.0}, {1.0f, 1.0}, {0.5f, 0.5}}) {
        MapOptions options = doc.shownMapOptions();
        options.radius = radius;
        doc.applyMapOptions(options);
        doc.zoomIn();
        EXPECT_EQ(doc.radius(), zoomedIn) << radius;
    }
}

TEST_F(VeskDocTest, APanRecomputesADistanceSelection)
{
    doc.newDocument();
    doc.applySelection(step(selectDistance, "0", "10"));
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Chart", "Fenby"}));
    doc.zoomIn();  // the centre stays, and so does the selection
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Chart", "Fenby"}));
    doc.zoomOut();
    doc.east();
    EXPECT_EQ(places(), (std::vector<std::string>{"Bexley"}));
}

TEST_F(VeskDocTest, CentreMovesToTheCurrentTowerAndAsksForCentring)
{
    doc.newDocument();
    EXPECT_TRUE(doc.takeNeedsCentring());
    EXPECT_FALSE(doc.takeNeedsCentring());
    doc.applySelection(step(selectDistance, "0", "10"));
    pick("Bexley");
    ASSERT_TRUE(doc.onCommand(command::centre));
    EXPECT_EQ(doc.database()->centre, (Position{5352, 1665}));
    EXPECT_EQ(doc.centreText(), "TQ352665");
    EXPECT_EQ(places(), (std::vector<std::string>{"Bexley"}));
    // The picked tower stays the point the distances are measured from, and that is said.
    EXPECT_EQ(windows.calls, (Calls{"busy", "update", "status: Distances are measured from Bexley, Midshire, S John.",
                                    "not busy"}));
    EXPECT_TRUE(doc.takeNeedsCentring());
}

TEST_F(VeskDocTest, CentreWithoutACurrentTowerOnlyRewritesTheCentreText)
{
    doc.newDocument();
    doc.takeNeedsCentring();
    doc.session().setReferenceSystem(ReferenceSystem::LatLong);
    doc.centreOnCurrentTower();
    EXPECT_EQ(doc.database()->centre, (Position{5102, 1665}));
    EXPECT_EQ(doc.centreText(), "51\xB0" "23'12\"N 0\xB0" "24'55\"W");
    EXPECT_TRUE(doc.needsCentring());
}

TEST_F(VeskDocTest, MapOptionsShowTheSettingsAndApplyThemOnOk)
{
    doc.newDocument();
    doc.applySelection(step(selectDistance, "0", "10"));
    windows.calls.clear();
    windows.mapOptionsAnswers.push_back(MapOptions{ReferenceSystem::UTM, "SU123456", 12345.6f, 1});
    ASSERT_TRUE(doc.onCommand(command::mapOptions));
    EXPECT_EQ(windows.mapOptionsShown, (MapOptions{ReferenceSystem::OS, "TQ102665", 50000.0f, 0}));
    EXPECT_EQ(doc.session().referenceSystem(), ReferenceSystem::UTM);
    EXPECT_EQ(doc.centreText(), "SU123456");
    EXPECT_EQ(doc.radius(), static_cast<double>(12345.6f));
    EXPECT_EQ(doc.webMap(), 1);
    EXPECT_EQ(doc.database()->centre, (Position{4123, 1456}));
    EXPECT_EQ(doc.database()->radius, 12345);
    EXPECT_EQ(places(), (std::vector<std::string>{"Dunton"}));  // recomputed about the new centre
    EXPECT_EQ(windows.calls, (Calls{"Options dialog", "busy", "update",
                                    "status: Distances are measured from the map centre, SU123456.", "not busy"}));

    windows.calls.clear();
    doc.onCommand(command::mapOptions);  // Cancel
    EXPECT_EQ(windows.calls, (Calls{"Options dialog"}));
    EXPECT_EQ(doc.centreText(), "SU123456");
}

TEST_F(VeskDocTest, AMovedCentreInUtmSurvivesOptionsOkAndNewDocument)
{
    doc.newDocument();
    doc.session().setReferenceSystem(ReferenceSystem::UTM);
    doc.east();
    const Position moved{5352, 1665};
    ASSERT_EQ(doc.database()->centre, moved);
    const std::string utmCentre = doc.centreText();
    EXPECT_EQ(utmCentre.substr(0, 5), "30U:(");  // still west of 0 degrees, in zone 30

    // OK without retyping the centre keeps the map where it is, with the new radius.
    MapOptions options = doc.shownMapOptions();
    options.radius = 20000;
    doc.applyMapOptions(options);
    EXPECT_EQ(doc.database()->centre, moved);
    EXPECT_EQ(doc.database()->radius, 20000);
    EXPECT_EQ(doc.centreText(), utmCentre);

    doc.newDocument();
    EXPECT_EQ(doc.database()->centre, moved);

    // A centre that is typed is read as a grid reference.
    options.centreText = "SU123456";
    doc.applyMapOptions(options);
    EXPECT_EQ(doc.database()->centre, (Position{4123, 1456}));
}

TEST_F(VeskDocTest, ACentreTypedBackAfterAnotherMovesTheMapThere)
{
    doc.newDocument();
    doc.zoomIn();  // rewrites the centre text "TQ102665"
    MapOptions options = doc.shownMapOptions();
    options.centreText = "SU123456";
    doc.applyMapOptions(options);
    options.centreText = "TQ102665";
    doc.applyMapOptions(options);
    EXPECT_EQ(doc.database()->centre, (Position{5102, 1665}));
    doc.newDocument();
    EXPECT_EQ(doc.database()->centre, (Position{5102, 1665}));
}

TEST(MapOptionsText, RadiusBoxShowsTheRadiusKeptAndAcceptsZeroToAMillion)
{
    EXPECT_EQ(radiusText(50000), "50000");
    EXPECT_EQ(radiusText(1562.5), "1562.5");
    EXPECT_EQ(radiusText(*readRadiusText("1500.7")), "1500.7");
    EXPECT_EQ(radiusText(1.6e6), "1600000");
    EXPECT_EQ(radiusText(1e39), "340282346638528859811704183484516925440");
    EXPECT_EQ(readRadiusText("1000000"), 1000000.0f);
    EXPECT_EQ(readRadiusText(" 0 "), 0.0f);
    EXPECT_EQ(readRadiusText("12345.6"), 12345.6f);
    EXPECT_EQ(readRadiusText("1000001"), std::nullopt);
    EXPECT_EQ(readRadiusText("-1"), std::nullopt);
    EXPECT_EQ(readRadiusText("12km"), std::nullopt);
    EXPECT_EQ(readRadiusText(""), std::nullopt);
    EXPECT_EQ(readRadiusText("nan"), std::nullopt);
    EXPECT_EQ(readRadiusText("0x10"), std::nullopt);
    EXPECT_EQ(radiusText(*readRadiusText("-0")), "0");
    // What single precision cannot keep as typed is named, so that the box can refuse it.
    for (const auto& [typed, kept] : std::vector<std::pair<std::string, std::optional<std::string>>>{
             {"123456.789", "123456.79"}, {"999999.99", "1000000"}, {"0.1", std::nullopt},
             {" 1500.70 ", std::nullopt}, {"12km", std::nullopt}})
        EXPECT_EQ(radiusKeptOtherwise(typed), kept) << typed;
}

TEST_F(VeskDocTest, SelectAndSortApplyOnOkOnly)
{
    doc.newDocument();
    windows.calls.clear();
    windows.selectAnswers.push_back(SelectChoice{selectBells, "8", "8"});
    doc.onCommand(command::select);
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Chart"}));
    EXPECT_EQ(windows.calls, (Calls{"Select dialog", "busy", "update", "not busy"}));
    EXPECT_EQ(windows.fieldsShown.size(), 12u);

    // The dialog's OK is refused for a test of no field and a bound that is no value of its field.
    doc.userFields()[0] = UserField{"Visited", FieldType::Date, {}, {}};  // the entry after the built-in ones
    using enum SelectRefusal::Box;
    const std::pair<SelectChoice, std::optional<SelectRefusal::Box>> checked[] = {
        {SelectChoice{-1, "", ""}, Field},
        {SelectChoice{-1, "", "", false, StepMode::Invert}, std::nullopt},
        {SelectChoice{selectBells, "eight", ""}, From},
        {SelectChoice{selectDistance, "0", "20 km"}, To},
        {SelectChoice{selectWeight, "eight", ""}, From},
        {SelectChoice{selectWeight, "12-2-14", "&#189;"}, std::nullopt},  // the weight reader's own forms
        {SelectChoice{12, "1/1/2010", "31/2/2010"}, To},
        {SelectChoice{12, "0", "7-9-02"}, std::nullopt},
    };
    for (const auto& [choice, box] : checked) {
        const std::optional<SelectRefusal> refused = windows.selectCheck(choice);
        EXPECT_EQ(refused.has_value(), box.has_value()) << choice.fromText << " " << choice.toText;
        if (refused && box) {
            EXPECT_EQ(refused->box, *box) << refused->message;
        }
    }
    doc.userFields()[0] = UserField{};

    windows.calls.clear();
    doc.onCommand(command::select);  // Cancel
    EXPECT_EQ(windows.calls, (Calls{"Select dialog"}));
    EXPECT_EQ(doc.database()->selectionSteps.size(), 1u);

    windows.selectAnswers.push_back(SelectChoice{-1, "", "", false, StepMode::SelectAll});
    doc.onCommand(command::select);
    windows.calls.clear();
    windows.sortAnswers.push_back(SortRows{SortRow{sortBells, true}, SortRow{1, false}, SortRow{2, false}});
    doc.onCommand(command::sort);
    EXPECT_EQ(windows.sortRowsShown, (SortRows{SortRow{0, false}, SortRow{1, false}, SortRow{2, false}}));
    EXPECT_EQ(windows.fieldsShown.size(), 8u);
    // Ten bells, then eight (Chart in Kent before Aston in Midshire), six, five, three.
    EXPECT_EQ(places(), (std::vector<std::string>{"Dunton", "Chart", "Aston", "Bexley", "Easton", "Fenby"}));
    EXPECT_EQ(windows.calls, (Calls{"Sort dialog", "busy", "update", "not busy"}));

    windows.calls.clear();
    doc.onCommand(command::sort);  // Cancel
    EXPECT_EQ(windows.calls, (Calls{"Sort dialog"}));
    EXPECT_EQ(doc.database()->sortKeys[0].field, sortBells);
}

TEST_F(VeskDocTest, UserFieldsDialogNamesAndTypesSlotsWithoutUpdatingViews)
{
    doc.newDocument();
    doc.userFields()[0].name = "Count";
    doc.userFields()[0].type = FieldType::Number;
    doc.userFields()[0].numbers[7] = 3;
    doc.userFields()[1].type = FieldType::String;  // unnamed: its row shows no type
    windows.calls.clear();

    UserFieldDefinitions rows;
    rows[0] = {"Tally", -1};  // renamed, no type chosen
    rows[3] = {"Visited", 0};
    windows.userFieldsAnswers.push_back(rows);
    doc.onCommand(command::userFields);

    EXPECT_EQ(windows.userFieldsShown->at(0), (UserFieldDefinition{"Count", 1}));
    EXPECT_EQ(windows.userFieldsShown->at(1), (UserFieldDefinition{"", -1}));
    EXPECT_EQ(doc.userFields()[0].name, "Tally");
    EXPECT_EQ(doc.userFields()[0].type, FieldType::Number);  // kept: the row showed no type
    EXPECT_EQ(doc.userFields()[0].numbers.at(7), 3);          // values stay with a renamed slot
    EXPECT_EQ(doc.userFields()[3].name, "Visited");
    EXPECT_EQ(doc.userFields()[3].type, FieldType::Date);
    EXPECT_EQ(windows.calls, (Calls{"User-defined Fields dialog"}));

    windows.calls.clear();
    doc.onCommand(command::userFields);  // Cancel
    EXPECT_EQ(doc.userFields()[3].name, "Visited");
}

TEST_F(VeskDocTest, UserFieldsDialogSaysWhichValuesItsChangesHide)
{
    // Each row: the type of the field Count, which holds one value, the dialog's row for it, and
    // what the user is told after OK.
    struct Change {
        FieldType type;
        UserFieldDefinition row;
        std::string hidden;
    };
    const Change changes[] = {
        {FieldType::Number, {"Count", 2}, "Count: 1 number, which a String field does not show"},
        {FieldType::String, {"Count", 0}, "Count: 1 text, which a Date field does not show"},
        {FieldType::Date, {"", 0}, "Count: 1 date, hidden now that the field has no name"},
        {FieldType::Date, {"Count", 1}, ""},   // dates and numbers are the same values
        {FieldType::String, {"Tally", -1}, ""},  // renamed, the type kept
    };
    for (const Change& change : changes) {
        doc.newDocument();
        doc.userFields()[0] = UserField{"Count", change.type, {}, {}};
        // A value kept aside for a tower the directory lacks was never shown; a save leaves it out
        // too.
        for (const TowerId id : {7, firstSetAsideKey}) {
            if (change.type == FieldType::String)
                doc.userFields().setText(0, id, "seen");
            else
                doc.userFields().setNumber(0, id, 3);
        }
        const Calls calls = userFieldsOk(change.row);

        Calls expected{"User-defined Fields dialog"};
        if (!change.hidden.empty())
            expected.push_back("message: These values are no longer shown:\n" + change.hidden +
                               ", and 1 value kept with the document for towers the directory lacks"
                               "\nThey are shown again when the field has a name and its type back, but a document "
                               "saved before then is saved without them.");
        EXPECT_EQ(calls, expected) << change.row.name << ' ' << change.row.type;
    }
}

TEST_F(VeskDocTest, UserFieldsDialogSaysWhichValuesKeptFromBeforeItsChangesShowAgain)
{
    // Each row: the slot's field, which holds one text and one number, the dialog's row for it,
    // and what the user is told after OK.
    const struct {
        UserField field;
        UserFieldDefinition row;
        std::string told;
    } changes[] = {
        {{"", FieldType::String, {}, {}}, {"Phone", 2},
         "These values, kept from before, are shown again:\nPhone: 1 text"},
        {{"", FieldType::Date, {}, {}}, {"Rung", 0}, "These values, kept from before, are shown again:\nRung: 1 date"},
        {{"Count", FieldType::String, {}, {}}, {"Count", 1},
         "These values are no longer shown:\nCount: 1 text, which a Number field does not show\nThey are shown "
         "again when the field has a name and its type back, but a document saved before then is saved without "
         "them.\n\nThese values, kept from before, are shown again:\nCount: 1 number"},
        {{"Count", FieldType::Date, {}, {}}, {"Count", 1}, ""},  // the same values, shown as numbers
        {{"", FieldType::Date, {}, {}}, {"", 0}, ""},
    };
    for (const auto& change : changes) {
        doc.newDocument();
        doc.userFields()[0] = change.field;
        doc.userFields()[0].type = FieldType::String;
        doc.userFields().setText(0, 7, "seen");
        doc.userFields()[0].type = FieldType::Number;
        doc.userFields().setNumber(0, 7, 3);
        doc.userFields()[0].type = change.field.type;
        Calls expected{"User-defined Fields dialog"};
        if (!change.told.empty()) expected.push_back("message: " + change.told);
        EXPECT_EQ(userFieldsOk(change.row), expected) << change.row.name;
    }
}

TEST_F(VeskDocTest, FieldEditorSetsValuesThroughItsEntryDialogs)
{
    doc.newDocument();
    doc.userFields()[0] = UserField{"Visited", FieldType::Date, {}, {}};
    doc.userFields()[2] = UserField{"Peals", FieldType::Number, {}, {}};
    doc.userFields()[4] = UserField{"Notes", FieldType::String, {}, {}};
    pick("Aston");
    const TowerId aston = doc.currentTower()->id;

    windows.towerFieldsUser = [&](TowerFieldEditor& editor) {
        EXPECT_EQ(editor.header(), astonFull);
        EXPECT_TRUE(editor.rowShown(0));
        EXPECT_FALSE(editor.rowShown(1));
        EXPECT_EQ(editor.rowName(2), "Peals");
        EXPECT_EQ(editor.entryDialog(1), std::nullopt);

        EXPECT_EQ(editor.entryDialog(0), EntryDialog::Date);
        EXPECT_EQ(editor.entryText(0), "");
        EXPECT_TRUE(editor.enterValue(0, "7/9/2002"));
        EXPECT_EQ(editor.valueText(0), "7/9/2002");
        EXPECT_EQ(editor.entryText(0), "7/9/2002");

        EXPECT_EQ(editor.entryDialog(2), EntryDialog::Number);
        // No number opens an empty box, which left so keeps none; a number cannot be emptied.
        EXPECT_EQ(editor.entryText(2), "");
        EXPECT_FALSE(editor.enterValue(2, "abc"));
        EXPECT_FALSE(editor.enterValue(2, "12x"));
        EXPECT_FALSE(editor.enterValue(2, "99999999999"));
        EXPECT_FALSE(editor.enterValue(2, "+-5"));
        EXPECT_TRUE(editor.enterValue(2, ""));
        EXPECT_EQ(doc.userFields().number(2, aston), nullptr);
        EXPECT_TRUE(editor.enterValue(2, " -12 "));
        EXPECT_EQ(editor.entryText(2), "-12");
        EXPECT_FALSE(editor.enterValue(2, ""));

        EXPECT_EQ(editor.entryDialog(4), EntryDialog::Text);
        EXPECT_TRUE(editor.enterValue(4, "two\r\nlines"));
        EXPECT_EQ(editor.valueText(4), "two\r\nlines");
        EXPECT_TRUE(editor.header().ends_with("Peals: -12 Notes: two  lines")) << editor.header();

        // An empty date text stores 0, which shows as no date.
        EXPECT_TRUE(editor.enterValue(0, ""));
        EXPECT_EQ(editor.valueText(0), "");

        // A day before 1601, from a document, shows as 31/12/1600: left so, it stays.
        doc.userFields().setNumber(0, aston, -364);
        EXPECT_EQ(editor.entryText(0), "31/12/1600");
        EXPECT_TRUE(editor.enterValue(0, "31/12/1600"));
        EXPECT_FALSE(editor.enterValue(0, "1/1/1600"));
        EXPECT_EQ(doc.userFields().number(0, aston) ? *doc.userFields().number(0, aston) : 0, -364);
        EXPECT_TRUE(editor.enterValue(0, ""));
    };
    doc.onCommand(command::editFields);
    EXPECT_EQ(windows.calls, (Calls{"Tower Details dialog"}));
    EXPECT_EQ(doc.userFields()[0].numbers.at(aston), 0);
    EXPECT_EQ(doc.userFields()[2].numbers.at(aston), -12);
    EXPECT_EQ(doc.userFields()[4].texts.at(aston), "two\r\nlines");
    const std::string listed = doc.listLine(displayPositionOf(*doc.database(), doc.database()->tower(aston)));
    EXPECT_TRUE(listed.ends_with("Peals: -12 Notes: two  lines")) << listed;
}

TEST_F(VeskDocTest, FieldEditorWithoutACurrentTowerChangesNothing)
{
    doc.newDocument();
    doc.userFields()[0] = UserField{"Visited", FieldType::Date, {}, {}};
    windows.towerFieldsUser = [&](TowerFieldEditor& editor) {
        EXPECT_EQ(editor.header(), "No tower details");
        EXPECT_TRUE(editor.rowShown(0));
        EXPECT_EQ(editor.valueText(0), "");
        EXPECT_EQ(editor.entryDialog(0), std::nullopt);
        EXPECT_FALSE(editor.enterValue(0, "1/1/2001"));
    };
    doc.editFieldsCommand();
    EXPECT_TRUE(doc.userFields()[0].numbers.empty());
}

TEST_F(VeskDocTest, DetailsShowTheFullDescription)
{
    doc.newDocument();
    windows.calls.clear();
    doc.onCommand(command::details);
    pick("Aston");
    doc.onCommand(command::details);
    EXPECT_EQ(windows.calls, (Calls{"message: " + astonFull}));
}

TEST_F(VeskDocTest, ExportWritesTheDisplayedTowersReplacingTheFile)
{
    doc.newDocument();
    doc.applySelection(step(selectBells, "8", "8"));
    const auto file = folder / "vesk.csv";
    writeAll(file, std::string(2000, 'o'));
    windows.exportAnswer = file;
    windows.calls.clear();
    ASSERT_TRUE(doc.onCommand(command::exportCsv));
    EXPECT_EQ(windows.calls, (Calls{"ask export file", "busy", "not busy"}));
    EXPECT_EQ(readAll(file),
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www\r\n"
              "\"Aston\",\"Midshire\",\"S Mary\",,8,\"0-0-0\",,,\"Thu\",19.30,\"TQ102665\",\"www.aston.org.uk\"\r\n"
              "\"Chart\",\"Kent\",\"All Saints\",,8,\"0-0-0\",,,\"Thu\",20.00,\"TQ102715\",\"\"\r\n");

    windows.exportAnswer.reset();
    windows.calls.clear();
    std::filesystem::remove(file);
    doc.exportCommand(ExportFormat::Csv);
    EXPECT_EQ(windows.calls, (Calls{"ask export file"}));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(VeskDocTest, GpsExportsSayHowManyTowersHadNoPlace)
{
#ifdef BELFRIX_WITHOUT_PROJ
    GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
    doc.newDocument();
    const auto gpx = folder / "towers.gpx";
    windows.exportAnswer = gpx;
    windows.calls.clear();
    ASSERT_TRUE(doc.onCommand(command::exportGpx));
    EXPECT_EQ(windows.calls,
              (Calls{"ask GPS export file", "busy", "not busy",
                     "message: 1 tower without a position could not be put in \"" + gpx.string() + "\"."}));
    const std::string written = readAll(gpx);
    EXPECT_NE(written.find("<name>Fenby</name>"), std::string::npos);
    EXPECT_EQ(written.find("<name>Easton</name>"), std::string::npos);  // no position

    windows.exportAnswer = folder / "towers.geojson";
    ASSERT_TRUE(doc.onCommand(command::exportGeoJson));
    EXPECT_TRUE(readAll(folder / "towers.geojson").starts_with("{\"type\":\"FeatureCollection\""));

    // Every tower with a place: no message.
    SelectionStep placed;
    placed.field = selectBells;
    placed.fromText = "6";
    doc.applySelection(placed);
    windows.calls.clear();
    doc.onCommand(command::exportGpx);
    EXPECT_EQ(windows.calls, (Calls{"ask GPS export file", "busy", "not busy"}));
}

TEST_F(VeskDocTest, ExportThatCannotBeWrittenSaysWhy)
{
    doc.newDocument();
    std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {folder / "no such folder" / "vesk.csv", "cannot be written: No such file or directory"},
        {folder.path(), "is not a regular file"},
    };
    if (SpecialFiles::available) cases.emplace_back("/dev/full", "is not a regular file");
    for (const auto& row : cases) {
        const std::filesystem::path& target = row.first;  // named: clang 14 lambdas capture no structured binding
        const std::string& reason = row.second;
        const bool said = finishesWithin(10, [&] {
            windows.exportAnswer = target;
            windows.calls.clear();
            doc.exportCommand(ExportFormat::Csv);
            return windows.calls == Calls{"ask export file", "busy", "not busy",
                                          "message: " + quotedPath(target) + " " + reason +
                                              ". Any earlier file of that name is unchanged."};
        });
        EXPECT_TRUE(said) << target;
    }
}

TEST_F(VeskDocTest, WebButtonsStartTheBrowserOnTheCurrentTowersLinks)
{
    doc.newDocument();
    auto programsStarted = [&] {
        Calls starts;
        for (const std::string& call : windows.calls)
            if (call.starts_with("start: ")) starts.push_back(call);
        return starts;
    };
    doc.setCurrentTower(tower("Aston"));
    doc.onCommand(command::www);
    doc.onCommand(command::wwwMap);
    doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 50000, webMapMultimap});
    doc.onCommand(command::wwwMap);
    doc.setCurrentTower(tower("Fenby"));
    doc.onCommand(command::www);
    EXPECT_EQ(programsStarted(),
              (Calls{"start: browser \"http://www.aston.org.uk\"",
                     "start: browser \"http://www.streetmap.co.uk/streetmap.dll?grid2map?X=510250&Y=166550&arrow=Y&nolocal=Y\"",
                     "start: browser \"http://www.multimap.com/map/browse.cgi?GridE=510250&GridN=166550&db=grid\"",
                     "start: browser \"http://www.a_b.org\""}));

    // Bexley has no web address, Easton neither one nor a position; without a current tower
    // neither button does anything.
    windows.calls.clear();
    doc.setCurrentTower(tower("Bexley"));
    doc.onCommand(command::www);
    doc.setCurrentTower(tower("Easton"));
    doc.onCommand(command::www);
    doc.onCommand(command::wwwMap);
    doc.setCurrentTower(nullptr);
    doc.onCommand(command::www);
    doc.onCommand(command::wwwMap);
    EXPECT_TRUE(programsStarted().empty());
}

TEST_F(VeskDocTest, TheOpenStreetMapLinkMarksTheTowersWgs84Place)
{
#ifdef BELFRIX_WITHOUT_PROJ
    GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
    doc.newDocument();
    doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 50000, webMapOpenStreetMap});
    doc.setCurrentTower(tower("Aston"));
    windows.calls.clear();
    doc.onCommand(command::wwwMap);
    // TQ102665's square centre by cs2cs: 51.387294827, -0.416969872.
    EXPECT_EQ(windows.calls, (Calls{"start: browser \"https://www.openstreetmap.org/?mlat=51.387295&mlon=-0.416970"
                                    "#map=16/51.387295/-0.416970\""}));
}

TEST_F(VeskDocTest, WithoutARegisteredBrowserTheDesktopsOwnShowsTheLink)
{
    VeskDoc bare{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
    bare.newDocument();
    for (const auto& [id, t] : bare.database()->towers())
        if (t.place == "Fenby") bare.setCurrentTower(&t);
    windows.calls.clear();
    bare.onCommand(command::www);
    EXPECT_EQ(windows.calls, (Calls{"desktop browser: http://www.a_b.org"}));

    windows.calls.clear();
    windows.desktopBrowserStarts = false;
    bare.onCommand(command::wwwMap);
    EXPECT_EQ(windows.calls,
              (Calls{"desktop browser: http://www.streetmap.co.uk/streetmap.dll?grid2map?X=520250&Y=166550&arrow=Y&nolocal=Y",
                     "message: No web browser could be started to show "
                     "http://www.streetmap.co.uk/streetmap.dll?grid2map?X=520250&Y=166550&arrow=Y&nolocal=Y."}));
}

TEST(WebLinks, TextsOfTheLinksAndTheCommandLine)
{
    EXPECT_EQ(streetmapLink({-1, 5000}),
              "http://www.streetmap.co.uk/streetmap.dll?grid2map?X=-50&Y=500050&arrow=Y&nolocal=Y");
    EXPECT_EQ(replaceChar("a+b+c", '+', '_'), "a_b_c");
    EXPECT_EQ(browserCommandFrom("C:\\TOOLS\\VIEW.EXE %1"), "C:\\TOOLS\\VIEW.EXE ");
    EXPECT_EQ(browserCommandFrom("C:\\Program Files\\view.exe %1"), "C:\\Program ");
    EXPECT_EQ(browserCommandFrom("viewer"), "");
    EXPECT_EQ(browserCommandLine("", "http://x+y"), "\"http://x_y\"");
}

TEST_F(VeskDocTest, FrameworkCommandsAreNotTheDocuments)
{
    // New, Open, Save, About and Print belong to the window around the document.
    for (int id : {57600, 57601, 57603, 57664, 57607, 0})
        EXPECT_FALSE(doc.onCommand(id)) << id;
    EXPECT_TRUE(windows.calls.empty());
}

}  // namespace
