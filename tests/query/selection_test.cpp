#include <gtest/gtest.h>

#include <random>
#include <set>

#include "query/selection.h"
#include "query_fixture.h"

namespace {

SelectionStep step(std::int32_t field, std::string from, std::string to, bool exclude = false,
                   StepMode mode = StepMode::And, bool userField = false)
{
    SelectionStep s;
    s.userField = userField;
    s.field = field;
    s.exclude = exclude;
    s.fromText = std::move(from);
    s.toText = std::move(to);
    s.mode = mode;
    return s;
}

SelectionStep modeOnly(StepMode mode)
{
    SelectionStep s;
    s.mode = mode;
    return s;
}

std::set<std::string> asSet(const std::vector<std::string>& places)
{
    return {places.begin(), places.end()};
}

using SelectionTest = DirectoryTest;

struct FieldCase {
    std::int32_t field;
    const char* from;
    const char* to;
    bool exclude;
    std::set<std::string> passing;
};

TEST_F(SelectionTest, EachBuiltInFieldSelectsItsRange)
{
    const std::vector<FieldCase> cases = {
        // Texts: "zz" widens the upper bound; lower case sorts after upper case.
        {selectPlace, "B", "C", false, {"Bath", "Cambridge", "Czz"}},
        {selectPlace, "", "", false, {"Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"}},
        {selectPlace, "D", "", false, {"Durham", "abbey", "Easton", "Fenny", "Gorran"}},
        {selectCounty, "K", "K", false, {"Czza", "Fenny"}},
        {selectCounty, "", "C", false, {"abbey", "Cambridge", "Czz", "Gorran"}},
        {selectDedication, "S", "S", false, {"Bath", "Czza", "Easton", "Fenny", "Gorran"}},
        // Numbers: an empty or zero To means no upper bound; an empty From stays 0.
        {selectBells, "6", "8", false, {"Bath", "Czz", "Easton"}},
        {selectBells, "", "8", false, {"Bath", "Czz", "Czza", "abbey", "Easton", "Fenny", "Gorran"}},
        {selectBells, "6", "", false, {"Bath", "Cambridge", "Czz", "Durham", "Easton"}},
        {selectBells, "10 (ring of 12)", "0", false, {"Cambridge", "Durham"}},
        {selectWeight, "12-2-14", "", false, {"Bath", "Cambridge", "Durham", "Easton"}},
        {selectWeight, "8", "12&#189;", false, {"Czz"}},
        {selectNote, "A", "C", false, {"Czza", "Durham"}},
        {selectNote, "Ab", "", false, {"Bath", "Cambridge", "Czz", "Czza", "Durham", "Easton", "Fenny"}},
        // Distance in real kilometres from the centre: 10.08 km is beyond To 10.
        {selectDistance, "0", "10", false, {"Bath", "Cambridge", "Czz"}},
        {selectDistance, "100", "500", false, {"Durham", "Easton", "Gorran"}},
        {selectDistance, "1000", "", false, {"abbey"}},
        {selectDistance, "", "", false, {"Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"}},
        // Nights: marks count only when a bound carries them; an open To keeps every bit.
        {selectNight, "Mon", "Fri", false, {"Bath", "Cambridge", "Czza", "Durham", "Easton"}},
        {selectNight, "-Mon", "-Fri", false, {"Cambridge"}},
        {selectNight, "Sat", "", false, {"Cambridge", "Czz"}},
        {selectEasting, "TQ1", "TQ1", false, {"Bath", "Cambridge", "Czz", "Czza", "Fenny"}},
        {selectEasting, "TQ102", "TQ102", false, {"Fenny"}},
        {selectEasting, "", "SU", false, {"Durham", "abbey", "Easton", "Gorran"}},
        {selectNorthing, "TQ6", "TQ6", false, {"Fenny"}},
        {selectNorthing, "TQ1", "TQ2", false, {"Bath", "Cambridge", "Czz", "Czza"}},
        {selectGroundFloor, "", "", false, {"Czz", "Easton"}},
        {selectGroundFloor, "", "", true, {"Bath", "Cambridge", "Czza", "Durham", "abbey", "Fenny", "Gorran"}},
        {selectUnringable, "x", "y", false, {"Czza", "Gorran"}},
        {selectBells, "6", "8", true, {"Cambridge", "Czza", "Durham", "abbey", "Fenny", "Gorran"}},
        // No field chosen, or a number past the list: every tower passes before Exclude.
        {-1, "", "", false, {"Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"}},
        {-1, "", "", true, {}},
        {12, "a", "b", false, {"Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"}},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " from '" << c.from << "' to '"
                                        << c.to << "' exclude " << c.exclude);
        applySelectionStep(database, fields, step(c.field, c.from, c.to, c.exclude));
        EXPECT_EQ(asSet(displayedPlaces()), c.passing);
        applySelectionStep(database, fields, modeOnly(StepMode::SelectAll));
        EXPECT_EQ(database.displayedCount(), 9);
    }
}

TEST_F(SelectionTest, BoundsArePreparedOnceAsTheFieldReadsThem)
{
    SelectionStep text = step(selectCounty, "B", "C");
    prepareBounds(text, fields);
    EXPECT_EQ(text.toText, "Czz");
    EXPECT_EQ(text.toValue, noUpperBound);
    SelectionStep open = step(selectPlace, "B", "");
    prepareBounds(open, fields);
    EXPECT_EQ(open.toText, "");

    SelectionStep easting = step(selectEasting, "TQ1", "TQ1");
    prepareBounds(easting, fields);
    EXPECT_EQ(easting.fromValue, 5100);
    EXPECT_EQ(easting.toValue, 5199);
    EXPECT_EQ(easting.toText, "TQ1");

    fields[4] = {"Visited", FieldType::Date, {}, {}};
    SelectionStep date = step(4, "", "25/12", false, StepMode::And, true);
    prepareBounds(date, fields, CalendarDate{7, 9, 2002});
    EXPECT_EQ(date.fromValue, 1);
    EXPECT_EQ(date.toValue, 146821);  // 25 December 2002
}

TEST_F(SelectionTest, ABoundThatIsNoValueOfItsFieldIsRefusedAndEmptyOrZeroIsNot)
{
    fields[1] = {"Visited", FieldType::Date, {}, {}};
    fields[2] = {"Count", FieldType::Number, {}, {}};
    fields[3] = {"Remark", FieldType::String, {}, {}};
    const std::string noDay = "names no day, so it cannot bound the dates of \"Visited\".";
    const std::string noNumber = "is not a whole number from -2147483648 to 2147483647, so it cannot bound \"Count\".";
    struct Case {
        std::int32_t slot;
        const char* from;
        const char* to;
        StepMode mode;
        std::optional<bool> refusedUpper;  // none: kept
        std::string said;
        bool userField = true;
    };
    const Case cases[] = {
        {1, "31/2/2010", "", StepMode::And, false, noDay},
        {1, "soon", "31/12/2010", StepMode::Or, false, noDay},
        {1, "1/1/2010", "30/2", StepMode::Xor, true, noDay},
        {1, "31/2/2010", "32", StepMode::And, false, noDay},  // the From bound is named first
        {1, "7/13/2002", "", StepMode::And, false, "would be read as 7/1/2003, so it cannot bound"},
        {1, "7/9/2002x", "", StepMode::And, false, noDay},  // 7/9/2002 is read, but not as typed
        {1, "", "0", StepMode::And, std::nullopt, ""},
        {1, "0", "25/12", StepMode::And, std::nullopt, ""},
        {1, "7-9-02", "14", StepMode::And, std::nullopt, ""},
        {1, "31/2/2010", "", StepMode::Invert, std::nullopt, ""},  // no test of its own
        {2, "eight", "", StepMode::And, false, noNumber},
        {2, "-3", "8 towers", StepMode::And, true, noNumber},
        {2, "2147483648", "", StepMode::And, false, noNumber},
        {3, "soon", "", StepMode::And, std::nullopt, ""},  // any text bounds a text
        {selectNight, "thu", "", StepMode::And, false, "names no practice night, so it cannot bound \"practice night\".", false},
        {selectNight, "Thu", "0", StepMode::And, std::nullopt, "", false},
        {selectNight, "8", "", StepMode::And, false, "names no practice night", false},
        {selectWeight, "12", "abc", StepMode::And, true, "is no weight, so it cannot bound \"tenor weight\".", false},
        {selectWeight, "0", "12-2-14", StepMode::And, std::nullopt, "", false},
        {selectWeight, "12-2", "", StepMode::And, false, "would be read as 12-0-0, not as typed, so it cannot bound", false},
        {selectWeight, "8", "12.5", StepMode::And, true, "would be read as 12-0-0, not as typed", false},
        {selectWeight, "12\xBD", "12&#189; cwt", StepMode::And, false, "would be read as 12-0-0", false},
        {selectWeight, "12-0", "12-2-14-1", StepMode::And, true, "would be read as 12-2-14", false},
        {selectWeight, "1e1", "12.00", StepMode::And, false, "would be read as 1-0-0", false},
        {selectWeight, "12&#189;", "12 5&#189;", StepMode::And, true, "would be read as 12-2-0", false},
        {selectEasting, "tq1", "", StepMode::And, false, "does not begin with a grid square's letters, so it cannot bound \"x-coordinate\".", false},
        {selectNorthing, "O 1", "T", StepMode::And, true, "does not begin with a grid square's letters, so it cannot bound \"y-coordinate\".", false},
        {selectEasting, "SV", "TQ102", StepMode::And, std::nullopt, "", false},
        {selectCounty, "kent", "", StepMode::And, std::nullopt, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << " from '" << c.from << "' to '" << c.to << "'");
        const auto refused = refusedBound(step(c.slot, c.from, c.to, false, c.mode, c.userField), fields, CalendarDate{7, 9, 2002});
        ASSERT_EQ(refused.has_value(), c.refusedUpper.has_value());
        if (!refused) continue;
        EXPECT_EQ(refused->upper, *c.refusedUpper);
        EXPECT_TRUE(refused->message.starts_with("\"" + std::string(refused->upper ? c.to : c.from) + "\" " + c.said))
            << refused->message;
    }
}

TEST_F(SelectionTest, UserFieldsSelectByTheirCurrentType)
{
    fields[0] = {"Count", FieldType::Number, {}, {}};
    for (auto [place, value] : {std::pair{"Bath", 0}, {"Cambridge", 5}, {"Czz", -3}, {"Durham", 100}})
        fields.setNumber(0, idOf(place), value);
    fields[1] = {"Visited", FieldType::Date, {}, {}};
    fields.setNumber(1, idOf("Bath"), 146712);   // 7/9/2002
    fields.setNumber(1, idOf("Easton"), 145791); // 29/2/2000
    fields.setNumber(1, idOf("Fenny"), 1);
    fields[2] = {"Remark", FieldType::String, {}, {}};
    for (auto [place, value] : {std::pair{"Bath", "bells rehung"}, {"Cambridge", "Bells"}, {"Czz", ""}, {"Durham", "zzz"}})
        fields.setText(2, idOf(place), value);

    const std::vector<FieldCase> cases = {
        // A zero lower bound counts as 1; towers without a value fail, and pass with Exclude.
        {0, "0", "", false, {"Cambridge", "Durham"}},
        {0, "0", "", true, {"Bath", "Czz", "Czza", "abbey", "Easton", "Fenny", "Gorran"}},
        {0, "-5", "0", false, {"Bath", "Cambridge", "Czz", "Durham"}},
        {1, "1/1/2000", "31/12/2001", false, {"Easton"}},
        {1, "", "", false, {"Bath", "Easton", "Fenny"}},
        {2, "", "", false, {"Bath", "Cambridge", "Czz", "Durham"}},  // no upper bound: "zzz" too
        {2, "", "B", false, {"Cambridge", "Czz"}},                    // up to "Bzz"
        {2, "B", "B", false, {"Cambridge"}},
        {7, "", "", false, {}},  // a slot without values
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.field << " from '" << c.from << "' to '" << c.to << "'");
        applySelectionStep(database, fields, step(c.field, c.from, c.to, c.exclude, StepMode::And, true));
        EXPECT_EQ(asSet(displayedPlaces()), c.passing);
        applySelectionStep(database, fields, modeOnly(StepMode::SelectAll));
    }

    // The same step read again after the field turns from Number into String: Count's numbers
    // are out of sight, so nothing has a value.
    applySelectionStep(database, fields, step(0, "", "", false, StepMode::And, true));
    fields[0].type = FieldType::String;
    recomputeDisplayed(database, fields);
    EXPECT_EQ(database.displayedCount(), 0);
}

TEST_F(SelectionTest, StepsCombineWithTheEarlierSelection)
{
    EXPECT_EQ(database.displayedCount(), 0);
    recomputeDisplayed(database, fields);
    EXPECT_EQ(database.displayedCount(), 9);
    EXPECT_EQ(database.displayedTower(9), nullptr);

    applySelectionStep(database, fields, modeOnly(StepMode::UndoLast));  // empty chain: no change
    EXPECT_EQ(database.displayedCount(), 9);

    applySelectionStep(database, fields, step(selectBells, "6", "8", false, StepMode::Or));
    EXPECT_EQ(database.displayedCount(), 9);
    applySelectionStep(database, fields, modeOnly(StepMode::SelectAll));
    applySelectionStep(database, fields, step(selectBells, "6", "8", false, StepMode::Xor));
    EXPECT_EQ(asSet(displayedPlaces()), (std::set<std::string>{"Cambridge", "Czza", "Durham", "abbey", "Fenny", "Gorran"}));
    applySelectionStep(database, fields, modeOnly(StepMode::SelectAll));
    EXPECT_TRUE(database.selectionSteps.empty());

    applySelectionStep(database, fields, step(selectBells, "6", "8"));
    const std::set<std::string> sixToEight = {"Bath", "Czz", "Easton"};
    applySelectionStep(database, fields, modeOnly(StepMode::Invert));
    EXPECT_EQ(database.displayedCount(), 6);
    applySelectionStep(database, fields, modeOnly(StepMode::Invert));
    EXPECT_EQ(asSet(displayedPlaces()), sixToEight);
    applySelectionStep(database, fields, modeOnly(StepMode::UndoLast));
    applySelectionStep(database, fields, modeOnly(StepMode::UndoLast));
    EXPECT_EQ(database.selectionSteps.size(), 1u);
    EXPECT_EQ(asSet(displayedPlaces()), sixToEight);

    applySelectionStep(database, fields, step(selectGroundFloor, "", "", false, StepMode::Xor));
    EXPECT_EQ(asSet(displayedPlaces()), (std::set<std::string>{"Bath"}));
    applySelectionStep(database, fields, step(selectCounty, "Kent", "Kent", false, StepMode::Or));
    EXPECT_EQ(asSet(displayedPlaces()), (std::set<std::string>{"Bath", "Czza", "Fenny"}));
    applySelectionStep(database, fields, step(selectUnringable, "", "", true, StepMode::And));
    EXPECT_EQ(asSet(displayedPlaces()), (std::set<std::string>{"Bath", "Fenny"}));
}

TEST_F(SelectionTest, DistanceIsMeasuredFromTheReferenceAtEachRecompute)
{
    applySelectionStep(database, fields, step(selectDistance, "0", "1"));
    EXPECT_EQ(database.displayedCount(), 0);  // nothing within 1 km of TQ100100
    database.distanceReference = &towerOf("Fenny");
    recomputeDisplayed(database, fields);
    EXPECT_EQ(displayedPlaces(), std::vector<std::string>{"Fenny"});
    database.distanceReference = nullptr;
    database.centre = towerOf("Bath").position;
    recomputeDisplayed(database, fields);
    EXPECT_EQ(displayedPlaces(), std::vector<std::string>{"Bath"});
}

// The chain as defined: each step from the head down, recursively.
bool chainOutcome(const TowerDatabase& database, const UserFields& fields, const Tower& tower, std::size_t count)
{
    if (count == 0) return true;
    const SelectionStep& head = database.selectionSteps[count - 1];
    if (head.mode == StepMode::Invert) return !chainOutcome(database, fields, tower, count - 1);
    bool t = stepTest(database, fields, head, tower);
    if (head.mode == StepMode::And) return t && chainOutcome(database, fields, tower, count - 1);
    if (head.mode == StepMode::Or) return t || chainOutcome(database, fields, tower, count - 1);
    return t != chainOutcome(database, fields, tower, count - 1);
}

TEST_F(SelectionTest, RandomChainsAgreeWithTheStepByStepDefinition)
{
    std::mt19937 random(20021);
    const std::vector<SelectionStep> tests = {
        step(selectBells, "6", "8"), step(selectCounty, "C", "K"), step(selectGroundFloor, "", ""),
        step(selectDistance, "0", "50"), step(selectNight, "Tue", "Thu"), step(selectPlace, "C", "E", true),
        step(selectUnringable, "", ""), step(selectNote, "B", "F")};
    for (int round = 0; round < 300; ++round) {
        applySelectionStep(database, fields, modeOnly(StepMode::SelectAll));
        int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            SelectionStep s = tests[random() % tests.size()];
            s.mode = static_cast<StepMode>(random() % 4);
            prepareBounds(s, fields);
            database.selectionSteps.push_back(s);
        }
        recomputeDisplayed(database, fields);
        std::set<std::string> expected;
        for (const auto& [id, tower] : database.towers())
            if (chainOutcome(database, fields, tower, database.selectionSteps.size())) expected.emplace(tower.place);
        ASSERT_EQ(asSet(displayedPlaces()), expected) << "round " << round;
    }
}

TEST_F(SelectionTest, AHundredThousandStepChainNeedsNoDeepStack)
{
    SelectionStep first = step(selectBells, "6", "8");
    prepareBounds(first, fields);
    database.selectionSteps.push_back(first);
    for (int i = 0; i < 99998; ++i) database.selectionSteps.push_back(modeOnly(StepMode::Invert));
    SelectionStep last = step(selectGroundFloor, "", "", false, StepMode::Xor);
    prepareBounds(last, fields);
    database.selectionSteps.push_back(last);
    ASSERT_EQ(database.selectionSteps.size(), 100000u);

    recomputeDisplayed(database, fields);
    EXPECT_EQ(displayedPlaces(), std::vector<std::string>{"Bath"});
    applySelectionStep(database, fields, modeOnly(StepMode::UndoLast));
    applySelectionStep(database, fields, modeOnly(StepMode::UndoLast));  // an odd number of inverts left
    EXPECT_EQ(database.displayedCount(), 6);
    EXPECT_FALSE(passesSelection(database, fields, towerOf("Easton")));
}

TEST_F(SelectionTest, FieldListNamesBuiltInsThenNamedUserFields)
{
    fields[2].name = "Visited";
    fields[5].name = "Count";
    std::vector<std::string> list = fieldList(selectionFieldEntries, fields);
    ASSERT_EQ(list.size(), 14u);
    EXPECT_EQ(list[0], "place name");
    EXPECT_EQ(list[11], "unringable");
    EXPECT_EQ(list[13], "Count");
    EXPECT_EQ(fieldOfEntry(selectionFieldEntries, fields, 11), (FieldChoice{false, 11}));
    EXPECT_EQ(fieldOfEntry(selectionFieldEntries, fields, 12), (FieldChoice{true, 2}));
    EXPECT_EQ(fieldOfEntry(selectionFieldEntries, fields, 13), (FieldChoice{true, 5}));
    EXPECT_EQ(fieldOfEntry(selectionFieldEntries, fields, 14), (FieldChoice{false, -1}));
    EXPECT_EQ(fieldOfEntry(selectionFieldEntries, fields, -1), (FieldChoice{false, -1}));
}

}  // namespace
