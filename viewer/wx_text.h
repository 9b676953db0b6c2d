#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <wx/string.h>

// The one place where the directory's Windows-1252 bytes become the toolkit's text and back.
// Every byte has a character: the five bytes the code page leaves unassigned keep their own
// code points, and a NUL byte, which would end the text on screen, shows as U+FFFD.
wxString toWx(std::string_view bytes);

// A character beyond the code page becomes '?'.
std::string fromWx(const wxString& text);
// The characters that fromWx turns into '?', in the order they come; empty when it keeps the text
// exactly.
wxString charactersWithoutByte(const wxString& text);

// A file name as the file system knows it: wide characters on Windows, its own bytes elsewhere.
std::filesystem::path filePath(const wxString& name);
