#include "query/selection.h"

#include <algorithm>
#include <cmath>

#include "records/grid_reference.h"
#include "query/sort_order.h"
#include "query/sorting.h"
#include "query/tower_database.h"
#include "query/tower_text.h"
#include "records/page_memory.h"
#include "records/value_readers.h"

namespace {

// Appended to a typed upper bound of a text range, so that To "C" admits every text up to "Czz".
// An empty upper bound sets none: "zz" would leave out every text that begins with a byte above
// 'z', such as "\xC1th" (Áth).
constexpr std::string_view textUpperFill = "zz";

void fillTextUpperBound(std::string& toText)
{
    if (!toText.empty()) toText += textUpperFill;
}

bool inTextRange(const SelectionStep& step, std::string_view value)
{
    return std::string_view(step.fromText) <= value && (step.toText.empty() || value <= std::string_view(step.toText));
}

template <typename Number>
bool inNumberRange(const SelectionStep& step, Number value)
{
    return step.fromValue <= value && value <= step.toValue;
}

bool userFieldTest(const UserFields& fields, const SelectionStep& step, TowerId id)
{
    if (!isUserFieldSlot(step.field)) return false;
    if (fields[step.field].usesTexts()) {
        const std::string* text = fields.text(step.field, id);
        return text && inTextRange(step, *text);
    }
    const std::int32_t* number = fields.number(step.field, id);
    return number && inNumberRange(step, *number);
}

bool builtInTest(const TowerDatabase& database, const SelectionStep& step, const Tower& tower)
{
    switch (step.field) {
    case selectPlace: return inTextRange(step, tower.place);
    case selectCounty: return inTextRange(step, database.countyName(tower.county));
    case selectDedication: return inTextRange(step, database.dedicationText(tower.dedication));
    case selectBells: return inNumberRange(step, tower.bells);
    case selectWeight: return inNumberRange(step, tower.weight);
    case selectNote: return inNumberRange(step, tower.note);
    case selectDistance: {
        // Kilometres, not rounded; a tower without a position lies at 1e9 km.
        double kilometres = std::sqrt(database.squaredDistance(tower)) / 10;
        return inNumberRange(step, kilometres);
    }
    case selectNight: {
        // The day bits always count; a mark counts only when a bound carries it.
        std::int32_t mask = step.fromValue | step.toValue | 7;
        return inNumberRange(step, tower.practiceNight & mask);
    }
    case selectEasting: return inNumberRange(step, tower.position.x);
    case selectNorthing: return inNumberRange(step, tower.position.y);
    case selectGroundFloor: return tower.groundFloor;
    case selectUnringable: return tower.unringable;
    default: return true;
    }
}

}  // namespace

void prepareBounds(SelectionStep& step, const UserFields& fields, const CalendarDate& today)
{
    if (step.userField) {
        if (isUserFieldSlot(step.field)) {
            switch (fields[step.field].type) {
            case FieldType::Date:
                step.fromValue = readDate(step.fromText, today);
                step.toValue = readDate(step.toText, today);
                break;
            case FieldType::Number:
                step.fromValue = readInteger(step.fromText);
                step.toValue = readInteger(step.toText);
                break;
            case FieldType::String: fillTextUpperBound(step.toText); break;
            }
        }
        // No user value below 1 counts for an empty or zero lower bound.
        if (step.fromValue == 0) step.fromValue = 1;
    } else {
        switch (step.field) {
        case selectBells:
        case selectDistance:
            step.fromValue = readInteger(step.fromText);
            step.toValue = readInteger(step.toText);
            break;
        case selectWeight:
            step.fromValue = readWeight(step.fromText);
            step.toValue = readWeight(step.toText);
            break;
        case selectNote:
            step.fromValue = readNote(step.fromText);
            step.toValue = readNote(step.toText);
            break;
        case selectNight:
            step.fromValue = readPracticeNight(step.fromText);
            step.toValue = readPracticeNight(step.toText);
            break;
        case selectEasting:
            step.fromValue = eastingBound(step.fromText, false);
            step.toValue = eastingBound(step.toText, true);
            break;
        case selectNorthing:
            step.fromValue = northingBound(step.fromText, false);
            step.toValue = northingBound(step.toText, true);
            break;
        default: fillTextUpperBound(step.toText); break;
        }
    }
    if (step.toValue == 0) step.toValue = noUpperBound;
}

std::optional<RefusedBound> refusedBound(const SelectionStep& step, const UserFields& fields,
                                         const CalendarDate& today)
{
    if (!combines(step.mode)) return std::nullopt;
    enum class Reads { Other, WholeNumber, Date, Weight, Night, SquareLetters } reads = Reads::Other;
    std::string name;
    if (step.userField && isUserFieldSlot(step.field)) {
        const UserField& field = fields[step.field];
        if (field.type == FieldType::Date) reads = Reads::Date;
        if (field.type == FieldType::Number) reads = Reads::WholeNumber;
        name = field.name;
    } else if (!step.userField && step.field >= 0 && step.field < static_cast<std::int32_t>(towerFieldNames.size())) {
        switch (step.field) {
        case selectBells:
        case selectDistance: reads = Reads::WholeNumber; break;
        case selectWeight: reads = Reads::Weight; break;
        case selectNight: reads = Reads::Night; break;
        case selectEasting:
        case selectNorthing: reads = Reads::SquareLetters; break;
        default: break;
        }
        name = towerFieldNames[static_cast<std::size_t>(step.field)];
    }
    // A bound that reads as no value of its field, where it is not 0, the way to ask for none.
    const auto refused = [&](const std::string& text) {
        if (text.empty()) return false;
        const std::optional<std::int32_t> number = readWholeInteger(text);
        switch (reads) {
        case Reads::Other: return false;
        case Reads::WholeNumber: return !number;
        case Reads::Date: return number != 0 && !namesADayOrNone(text, today);
        case Reads::Weight: return number != 0 && (readWeight(text) == 0 || weightReadInPart(text));
        case Reads::Night: return number != 0 && readPracticeNight(text) == 0;
        case Reads::SquareLetters: return !beginsWithSquareLetters(text);
        }
        return false;
    };
    const bool upper = !refused(step.fromText);
    if (upper && !refused(step.toText)) return std::nullopt;
    const std::string quoted = "\"" + (upper ? step.toText : step.fromText) + "\"";
    const auto refusal = [&](std::string_view isNot, std::string_view example) {
        return RefusedBound{upper, quoted + " " + std::string(isNot) + ", so it cannot bound \"" + name +
                                       "\". Please enter " + std::string(example) + ", or leave it empty."};
    };
    switch (reads) {
    case Reads::WholeNumber:
        return refusal("is not a whole number from -2147483648 to 2147483647", "one such as 8");
    case Reads::Weight: {
        const std::int32_t pounds = readWeight(upper ? step.toText : step.fromText);
        Tower readAs;
        readAs.weight = pounds;
        return refusal(pounds == 0 ? "is no weight" : "would be read as " + formatWeight(readAs) + ", not as typed",
                       "a weight in hundredweights such as 12, or with quarters and pounds such as 12-2-0");
    }
    case Reads::Night: return refusal("names no practice night", "a day such as Mon or Thu");
    case Reads::SquareLetters:
        return refusal("does not begin with a grid square's letters",
                       "the start of a grid reference, capitals first, such as TQ1 or TQ102");
    default: break;
    }
    const std::int32_t readInstead = dayReadInstead(upper ? step.toText : step.fromText, today);
    const std::string misread = readInstead > 0 ? " would be read as " + formatDate(readInstead) : " names no day";
    return RefusedBound{upper, quoted + misread + ", so it cannot bound the dates of \"" + name +
                                   "\". Please enter a date as day/month/year, such as 7/9/2002 or 7-9-02 (25/12 is "
                                   "this year's, 14 this month's), or leave it empty."};
}

void prepareBounds(SelectionStep& step, const UserFields& fields)
{
    // The clock is read only when a date bound needs today.
    bool readsDates = step.userField && isUserFieldSlot(step.field) && fields[step.field].type == FieldType::Date;
    prepareBounds(step, fields, readsDates ? today() : CalendarDate{});
}

bool stepTest(const TowerDatabase& database, const UserFields& fields, const SelectionStep& step,
              const Tower& tower)
{
    bool pass = step.userField ? userFieldTest(fields, step, tower.id) : builtInTest(database, step, tower);
    return pass != step.exclude;
}

// The chain's outcome is defined from the head down, each step combining its own test with the
// outcome of the steps below it. Walked as a loop, that outcome is "flip XOR (outcome below)":
// Invert and XOR fold into flip, and AND and OR end the walk as soon as their test decides,
// exactly where the step-by-step definition stops looking further down.
bool passesSelection(const TowerDatabase& database, const UserFields& fields, const Tower& tower)
{
    bool flip = false;
    const std::vector<SelectionStep>& steps = database.selectionSteps;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        switch (step->mode) {
        case StepMode::Invert: flip = !flip; break;
        case StepMode::And:
            if (!stepTest(database, fields, *step, tower)) return flip;
            break;
        case StepMode::Or:
            if (stepTest(database, fields, *step, tower)) return !flip;
            break;
        case StepMode::Xor:
            if (stepTest(database, fields, *step, tower)) flip = !flip;
            break;
        default: break;  // never kept in the chain
        }
    }
    return !flip;
}

void changeSelection(DisplayState& display, const UserFields& fields, SelectionStep step)
{
    std::vector<SelectionStep>& steps = display.selectionSteps;
    if (combines(step.mode)) {
        prepareBounds(step, fields);
        steps.push_back(std::move(step));
    } else if (step.mode == StepMode::Invert) {
        steps.push_back(std::move(step));
    } else if (step.mode == StepMode::UndoLast) {
        if (!steps.empty()) steps.pop_back();
    } else if (step.mode == StepMode::SelectAll) {
        steps.clear();
    }
}

void applySelectionStep(TowerDatabase& database, const UserFields& fields, SelectionStep step)
{
    changeSelection(database, fields, std::move(step));
    recomputeDisplayed(database, fields);
}

void recomputeDisplayed(TowerDatabase& database, const UserFields& fields)
{
    // Ascending TowerId, so that the stable sort leaves equal towers in that order.
    std::vector<const Tower*, PresentAllocator<const Tower*>> passing;
    passing.reserve(database.towers().size());
    for (const auto& [id, tower] : database.towers())
        if (passesSelection(database, fields, tower)) passing.push_back(&tower);
    database.displayOrder = sortedTowerIds(database, fields, passing);
}

bool measuresDistance(const DisplayState& display)
{
    const auto isDistanceStep = [](const SelectionStep& step) {
        return combines(step.mode) && !step.userField && step.field == selectDistance;
    };
    const auto isDistanceKey = [](const SortKey& key) { return !key.userField && key.field == sortDistance; };
    return std::any_of(display.selectionSteps.begin(), display.selectionSteps.end(), isDistanceStep) ||
           std::any_of(display.sortKeys.begin(), display.sortKeys.end(), isDistanceKey);
}
