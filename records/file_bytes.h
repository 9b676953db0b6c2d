#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The whole file as bytes; none when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside `path`, flushes it, then renames it over `path`,
// so a failed or interrupted write leaves the earlier file as it was. Throws
// std::runtime_error with a message naming `path` when anything fails.
void replaceFileContents(const std::filesystem::path& path, std::string_view bytes);
