#pragma once

#include <filesystem>

#include "geo/map_outline.h"
#include "records/tag_reader.h"

// map.dat: little-endian 16-bit words, no header. A layer count; for each layer a polyline
// count; for each polyline a point count and then x, y of each point. Counts are unsigned,
// coordinates signed (two's complement), in the 100 m units of a Position.

// The outline of the file at path, "map.dat" in the working folder by default. A file that
// cannot be opened gives an outline without layers.
MapOutline loadOutline(const std::filesystem::path& path = "map.dat");

// The outline from the reader's bytes. Bytes that end before their counts say leave the
// layers begun so far, each with the polylines read whole.
MapOutline loadOutline(TagReader& reader);

// One layer read from where the reader stands; its polylines stop at the first one the bytes
// cannot hold whole.
OutlineLayer readOutlineLayer(TagReader& reader);
