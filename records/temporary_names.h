#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The names of the temporary files that wait beside a file until they replace it:
// ".NAME.PID.N.tmp", NAME the target's own name cut short so that the whole stays within the
// longest name a folder takes, PID the writing process, N a count of its own.

std::string temporaryName(const std::filesystem::path& target, std::uint64_t process, unsigned count);

// The process that wrote a temporary file of that name for the target; 0 when the name is none of
// a temporary of that target.
std::uint64_t writerOf(std::string_view name, const std::filesystem::path& target);
