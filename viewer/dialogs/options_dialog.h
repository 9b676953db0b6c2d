#pragma once

#include <optional>

#include "document/map_options.h"

class wxWindow;

// The Options dialog: the reference system, the display centre and radius, and the web map
// service. None when it ends with anything but OK.
std::optional<MapOptions> runOptionsDialog(wxWindow* parent, const MapOptions& shown);
