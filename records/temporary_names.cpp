#include "records/temporary_names.h"

#include <charconv>

namespace {

constexpr std::size_t longestName = 255;
constexpr std::string_view suffix = ".tmp";
constexpr std::size_t longestNumber = 20;  // digits of a 64-bit process id or count

std::string prefixOf(const std::filesystem::path& target)
{
    const std::string name = target.filename().string();
    const std::size_t room = longestName - 3 - 2 * longestNumber - suffix.size();
    return "." + name.substr(0, room) + ".";
}

}  // namespace

std::string temporaryName(const std::filesystem::path& target, std::uint64_t process, unsigned count)
{
    return prefixOf(target) + std::to_string(process) + "." + std::to_string(count) + std::string(suffix);
}

std::uint64_t writerOf(std::string_view name, const std::filesystem::path& target)
{
    const std::string prefix = prefixOf(target);
    if (!name.starts_with(prefix) || !name.ends_with(suffix)) return 0;
    name.remove_prefix(prefix.size());
    name.remove_suffix(suffix.size());
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return 0;
    std::uint64_t process = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dot, process);
    if (error != std::errc() || end != name.data() + dot) return 0;
    const std::string_view count = name.substr(dot + 1);
    if (count.empty() || count.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    return process;
}
