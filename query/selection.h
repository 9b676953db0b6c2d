#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "query/display_state.h"
#include "query/selection_step.h"
#include "query/field_list.h"
#include "query/user_fields.h"
#include "records/tower.h"

class TowerDatabase;

// Built-in selection fields, numbered as the entries of the Select dialog's field list.
enum SelectionField : std::int32_t {
    selectPlace = 0,
    selectCounty = 1,
    selectDedication = 2,
    selectBells = 3,
    selectWeight = 4,
    selectNote = 5,
    selectDistance = 6,
    selectNight = 7,
    selectEasting = 8,
    selectNorthing = 9,
    selectGroundFloor = 10,
    selectUnringable = 11,
};

inline constexpr BuiltInEntries selectionFieldEntries{towerFieldNames};

// Labels of the Select dialog's mode buttons, in StepMode order.
inline constexpr std::array<std::string_view, 6> stepModeLabels = {
    "AND", "OR", "XOR", "Invert Selection", "Undo Last Selection", "Select All"};


// Reads the step's typed bounds into numbers as its field and the user fields' current types
// say, appends "zz" to a text field's upper bound and makes a zero upper bound unlimited.
// Done once, when the step joins the chain.
void prepareBounds(SelectionStep& step, const UserFields& fields, const CalendarDate& today);
void prepareBounds(SelectionStep& step, const UserFields& fields);

// A bound typed as no value of its field's kind would be read as no bound and widen the selection
// unsaid, so a step with one is refused before it is made: a Date field's bound that names no day
// ("31/2/2010", "soon"), or a whole-number field's (bells, distance, a Number field) that is no
// whole number ("eight"). The empty text, and 0 for a date, set no bound on purpose and are kept.
struct RefusedBound {
    bool upper = false;   // the To bound; else the From bound
    std::string message;  // names the text and says what the bound takes
};
std::optional<RefusedBound> refusedBound(const SelectionStep& step, const UserFields& fields,
                                         const CalendarDate& today);

// The step's own test on one tower, Exclude applied; the mode plays no part.
bool stepTest(const TowerDatabase& database, const UserFields& fields, const SelectionStep& step,
              const Tower& tower);

// The outcome of the database's whole chain for one tower; the empty chain passes every tower.
bool passesSelection(const TowerDatabase& database, const UserFields& fields, const Tower& tower);

// Changes the chain as the step's mode says (AND, OR, XOR and Invert join it, their bounds
// prepared; Undo Last Selection drops the newest step, Select All every step). A step of any
// other mode number is dropped, so the chain holds only AND, OR, XOR and Invert. The displayed
// towers stay as they were until the next recompute.
void changeSelection(DisplayState& display, const UserFields& fields, SelectionStep step);
// The same, then recomputes the displayed towers.
void applySelectionStep(TowerDatabase& database, const UserFields& fields, SelectionStep step);

// Rebuilds the display order: the towers that pass the chain, in the order of the sort keys,
// towers equal on all three keys in ascending TowerId.
void recomputeDisplayed(TowerDatabase& database, const UserFields& fields);

// A selection step tests the distance, or a sort key orders by it: the displayed towers depend on
// where distances are measured from.
bool measuresDistance(const DisplayState& display);
