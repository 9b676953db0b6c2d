#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/map_options.h"
#include "document/tower_field_editor.h"
#include "query/selection_step.h"
#include "query/sort_key.h"
#include "records/tower.h"

class TowerDatabase;

// Texts the window layer shows for the document: the title of its message boxes, and the
// Export file dialog (an open-file dialog that hides the read-only box and asks before
// overwriting).
inline constexpr std::string_view messageBoxTitle = "Belfrix";
inline constexpr std::string_view exportFileFilter = "(*.csv)|*.csv|(*.*)|*.*||";
inline constexpr std::string_view exportProposedName = "vesk";
inline constexpr std::string_view exportDefaultExtension = "*.csv";

// One row of the User-defined Fields dialog: a slot's name and its type entry (-1 when the row
// shows no type).
struct UserFieldDefinition {
    std::string name;
    std::int32_t type = -1;

    friend bool operator==(const UserFieldDefinition&, const UserFieldDefinition&) = default;
};

using UserFieldDefinitions = std::array<UserFieldDefinition, 10>;
using SortKeys = std::array<SortKey, 3>;

// Everything the document asks of the window system. The viewer implements it with its frame,
// views and dialogs; the document's tests implement it with a recorder. A dialog method gives
// none when the dialog ended with anything but OK.
class DocumentWindows {
public:
    virtual ~DocumentWindows() = default;

    // Every view recomputes all it shows from the document and repaints whole.
    virtual void updateAllViews() = 0;
    // A modal box titled "Belfrix" with only an OK button.
    virtual void showMessage(const std::string& text) = 0;
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
    // The frame's control bar follows the current tower (none hides its buttons).
    virtual void showCurrentTower(const Tower* tower, const TowerDatabase& database) = 0;
    // The file dialog of Export; none when cancelled.
    virtual std::optional<std::filesystem::path> askExportFileName() = 0;
    // Starts a program; whether it started is not reported.
    virtual void startProgram(const std::string& commandLine) = 0;

    virtual std::optional<SelectionStep> runSelectDialog() = 0;
    virtual std::optional<SortKeys> runSortDialog(const SortKeys& keys) = 0;
    virtual std::optional<MapOptions> runMapOptionsDialog(const MapOptions& shown) = 0;
    virtual std::optional<UserFieldDefinitions> runUserFieldsDialog(
        const UserFieldDefinitions& shown) = 0;
    // The field editor sets values through the editor while it runs; it has no result.
    virtual void runTowerFieldsDialog(TowerFieldEditor& editor) = 0;
};
