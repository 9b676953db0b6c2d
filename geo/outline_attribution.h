#pragma once

#include <string_view>

// The line the map view draws over the outline, naming its source as the data's licence asks.
inline constexpr std::string_view outlineAttribution =
    "Coastlines, lakes, rivers and borders: GSHHG 2.3.7, Wessel & Smith, LGPL-3+";
