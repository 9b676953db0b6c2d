#pragma once

#include <string_view>

// Texts of the viewer's shell, exactly as the user sees them.
inline constexpr std::string_view applicationTitle = "Belfrix";
inline constexpr std::string_view vendorName = "Local AppWizard-Generated Applications";
inline constexpr std::string_view newDocumentTitle = "Vesk Document";
inline constexpr std::string_view documentFilterName = "(*.bx0)";
inline constexpr std::string_view documentFilterPattern = "*.bx0";
inline constexpr std::string_view documentExtension = ".bx0";
// The message line between menus.
inline constexpr std::string_view readyText = "Ready";
// The message line while letters typed into the list search it, before the letters; the note
// after them when no displayed place starts so.
inline constexpr std::string_view findPrompt = "Find: ";
inline constexpr std::string_view findNothingNote = " (no such place)";
// The menu placeholder of the recent-file list while it is empty.
inline constexpr std::string_view recentFilePlaceholder = "Recent File";
inline constexpr int recentFileCount = 4;
