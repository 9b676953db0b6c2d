#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/map_options.h"
#include "document/session.h"
#include "document/tower_field_editor.h"
#include "query/selection_step.h"

// Texts of the Export file dialog.
inline constexpr std::string_view exportFileFilter = "(*.csv)|*.csv|(*.*)|*.*||";
inline constexpr std::string_view exportProposedName = "vesk";
inline constexpr std::string_view exportDefaultExtension = "*.csv";

// What the Select dialog gives back: the entry of its field list (-1 when none is current), the
// two bounds as typed, the Exclude box and the mode button.
struct SelectChoice {
    int fieldEntry = 0;
    std::string fromText;
    std::string toText;
    bool exclude = false;
    StepMode mode = StepMode::And;

    friend bool operator==(const SelectChoice&, const SelectChoice&) = default;
};

// What the Select dialog's OK cannot take: the dialog stays open with the message, the keyboard
// back in the box to mend.
struct SelectRefusal {
    enum class Box { Field, From, To } box = Box::Field;
    std::string message;

    friend bool operator==(const SelectRefusal&, const SelectRefusal&) = default;
};
using SelectCheck = std::function<std::optional<SelectRefusal>(const SelectChoice&)>;

// One row of the Sort dialog: the entry its field list shows (-1 for none) and its direction.
struct SortRow {
    int fieldEntry = -1;
    bool descending = false;

    friend bool operator==(const SortRow&, const SortRow&) = default;
};

using SortRows = std::array<SortRow, 3>;

// One row of the User-defined Fields dialog: a slot's name and its type entry (-1 when the row
// shows no type).
struct UserFieldDefinition {
    std::string name;
    std::int32_t type = -1;

    friend bool operator==(const UserFieldDefinition&, const UserFieldDefinition&) = default;
};

using UserFieldDefinitions = std::array<UserFieldDefinition, 10>;

// What Select and Sort say while "distance" is chosen in a field list: where distances are
// measured from.
struct DistanceNote {
    int entry = -1;    // the list entry "distance"
    std::string text;  // "Distances are measured from the map centre, TQ102665."

    friend bool operator==(const DistanceNote&, const DistanceNote&) = default;
};

// The document's modal dialogs. Each is given what it shows and gives back what the user chose,
// or none when it ended with anything but OK.
class DocumentDialogs {
public:
    virtual ~DocumentDialogs() = default;

    // fields: the built-in entries, then the named user-defined fields in slot order.
    virtual std::optional<SelectChoice> runSelectDialog(const std::vector<std::string>& fields,
                                                        const DistanceNote& distance,
                                                        const SelectCheck& check) = 0;
    virtual std::optional<SortRows> runSortDialog(const std::vector<std::string>& fields,
                                                  const SortRows& shown, const DistanceNote& distance) = 0;
    virtual std::optional<MapOptions> runMapOptionsDialog(const MapOptions& shown) = 0;
    virtual std::optional<UserFieldDefinitions> runUserFieldsDialog(
        const UserFieldDefinitions& shown) = 0;
    // The field editor sets values through the editor while it runs; it has no result.
    virtual void runTowerFieldsDialog(TowerFieldEditor& editor) = 0;
    // The file dialog of Export in one of its formats; none when cancelled.
    virtual std::optional<std::filesystem::path> askExportFileName(ExportFormat format) = 0;
};
