#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "geo/map_outline.h"
#include "records/file_bytes.h"
#include "records/tag_reader.h"

// map.dat: little-endian 16-bit words, no header. A layer count; for each layer a polyline
// count; for each polyline a point count and then x, y of each point. Counts are unsigned,
// coordinates signed (two's complement), in the 100 m units of a Position.

// The outline of these islands drawn to 100 m takes about a megabyte; sixteen million points
// are more than any outline map could usefully hold.
inline constexpr FileKind outlineMapFile{"outline map", std::uint64_t{64} << 20};

struct OutlineRead {
    MapOutline outline;
    // The bytes ended before their counts did, which leaves the layers begun so far, each with
    // the polylines read whole.
    bool cutShort = false;
    std::size_t bytes = 0;
};

OutlineRead readOutline(TagReader& reader);
// Throws FileReadError when the file cannot be read.
OutlineRead readOutlineFile(const std::filesystem::path& path);

// What the user is told of a damaged file: its name, how much was read and what that held.
std::string damageReport(const std::filesystem::path& path, const OutlineRead& read);

// One layer read from where the reader stands; its polylines stop at the first one the bytes
// cannot hold whole.
OutlineLayer readOutlineLayer(TagReader& reader);
