#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "1 tower", "2 towers": a count and the word that goes with it, for messages.
inline std::string counted(std::int64_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
}
