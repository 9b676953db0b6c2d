#pragma once

#include <array>

// The ids of the dialogs' controls, as their templates number them. OK and Cancel are wxID_OK and
// wxID_CANCEL everywhere.

namespace optionsId {
inline constexpr int os = 1019;
inline constexpr int utm = 1001;
inline constexpr int latLong = 1020;
inline constexpr int centre = 1021;
inline constexpr int radius = 1022;
inline constexpr int streetmap = 1054;
inline constexpr int multimap = 1055;
inline constexpr int openStreetMap = 1056;
}  // namespace optionsId

namespace selectId {
inline constexpr int field = 1011;
inline constexpr int from = 1005;
inline constexpr int to = 1006;
inline constexpr int exclude = 1008;
inline constexpr int andMode = 1012;
inline constexpr int orMode = 1015;
inline constexpr int xorMode = 1013;
inline constexpr int invert = 1016;
inline constexpr int undoLast = 1014;
inline constexpr int selectAll = 1017;
inline constexpr int distanceNote = 1101;
}  // namespace selectId

// Sort: the first, second and third key's rows.
namespace sortId {
inline constexpr std::array<int, 3> field = {1003, 1011, 1005};
inline constexpr std::array<int, 3> ascending = {1000, 1009, 1002};
inline constexpr std::array<int, 3> descending = {1001, 1010, 1004};
inline constexpr int distanceNote = 1101;
}  // namespace sortId

// User-defined Fields: row k edits slot k.
namespace userFieldsId {
constexpr int type(int row) { return 1026 + 2 * row; }
constexpr int name(int row) { return 1027 + 2 * row; }
}  // namespace userFieldsId

// Tower Details: row k shows slot k.
namespace towerDetailsId {
inline constexpr int header = 1048;
constexpr int button(int row) { return row == 0 ? 1029 : 1028 + 2 * row; }
inline constexpr std::array<int, 10> valueIds = {1049, 1027, 1051, 1031, 1033, 1035, 1037, 1039, 1041, 1043};
constexpr int value(int row) { return valueIds[row]; }
}  // namespace towerDetailsId

// Enter Date, Enter Number and Enter Text.
namespace valueEntryId {
inline constexpr int fieldName = 1048;
inline constexpr int input = 1052;
}  // namespace valueEntryId

// The control bar's text beside its buttons, which carry the commands' ids.
namespace controlBarId {
inline constexpr int text = 1052;
}  // namespace controlBarId
