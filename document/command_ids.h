#pragma once

// The document's commands by their numbers: the window maps its menu entries and keys onto
// them, and its control bar's buttons carry them as their ids.
namespace command {

inline constexpr int sort = 32771;
inline constexpr int select = 32772;
inline constexpr int mapOptions = 32773;
inline constexpr int zoomIn = 32774;
inline constexpr int zoomOut = 32775;
inline constexpr int north = 32776;
inline constexpr int south = 32777;
inline constexpr int east = 32778;
inline constexpr int west = 32779;
inline constexpr int userFields = 32780;
inline constexpr int exportCsv = 32781;
inline constexpr int exportGpx = 32782;
inline constexpr int exportGeoJson = 32783;

// The control bar's buttons.
inline constexpr int centre = 1021;
inline constexpr int details = 1024;
inline constexpr int editFields = 1028;
inline constexpr int www = 1053;
inline constexpr int wwwMap = 1054;

}  // namespace command
