#pragma once

#include <cstdint>
#include <string>

// How a step combines its own test with the selection made by the steps below it; numbered
// as the Select dialog's radio buttons.
enum class StepMode : std::int32_t {
    And = 0,
    Or = 1,
    Xor = 2,
    Invert = 3,     // the opposite of the earlier selection; no test of its own
    UndoLast = 4,   // removes the newest step; never kept in the chain
    SelectAll = 5,  // removes every step; never kept in the chain
};

// AND, OR and XOR combine a test of their own with the earlier selection; the other modes test
// nothing.
inline bool combines(StepMode mode) { return mode == StepMode::And || mode == StepMode::Or || mode == StepMode::Xor; }

// One step of the selection chain. The chain is kept oldest first, so the step below a step
// (its "next") is the one before it.
struct SelectionStep {
    bool userField = false;     // field is a user-defined field slot
    std::int32_t field = 0;     // built-in selection field 0 to 11, or a slot
    bool exclude = false;       // the step's own test is inverted
    std::int32_t fromValue = 0; // bounds as numbers, filled when the step is applied
    std::int32_t toValue = 0;
    std::string fromText;       // bounds as typed; text fields get "zz" appended to a toText
                                // typed, and an empty one sets no upper bound
    std::string toText;
    StepMode mode = StepMode::And;
};
