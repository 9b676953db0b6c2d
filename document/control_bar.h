#pragma once

#include <string>

#include "records/tower.h"

class TowerDatabase;

// What the frame's control bar shows: which of its buttons are visible and the text of its
// field. The "edit" button is never shown, so it has no flag.
struct ControlBarState {
    bool centre = false;
    bool details = false;
    bool www = false;
    bool wwwMap = false;
    std::string text;

    friend bool operator==(const ControlBarState&, const ControlBarState&) = default;
};

// The bar for the current tower: "centre" and "www map" for a tower with a position, "www" for
// one with a web address, "details" for any tower, and its one-line description. No tower
// hides every button and empties the text.
ControlBarState showCurrentTower(const Tower* tower, const TowerDatabase& database);
