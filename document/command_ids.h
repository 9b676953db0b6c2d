#pragma once

// Command ids as the menus, keys and control bar send them. The document receives the ones
// listed under "document"; the rest belong to the framework, the list view or the application.
namespace command {

// File menu, handled by the framework around the one document.
inline constexpr int fileNew = 57600;
inline constexpr int fileOpen = 57601;
inline constexpr int fileSave = 57603;
inline constexpr int fileSaveAs = 57604;
inline constexpr int printSetup = 57606;
inline constexpr int print = 57607;
inline constexpr int printDirect = 57608;
inline constexpr int printPreview = 57609;
inline constexpr int recentFileFirst = 57616;
inline constexpr int recentFileLast = 57619;
inline constexpr int appExit = 57665;
inline constexpr int appAbout = 57664;
inline constexpr int nextPane = 57680;
inline constexpr int previousPane = 57681;

// Document commands.
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

// Control bar buttons, also sent to the document.
inline constexpr int centre = 1021;
inline constexpr int details = 1024;
inline constexpr int editFields = 1028;
inline constexpr int www = 1053;
inline constexpr int wwwMap = 1054;

}  // namespace command
