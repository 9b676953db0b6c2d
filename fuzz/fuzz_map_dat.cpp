// map.dat bytes through the outline loader. Beyond not crashing, every polyline read must hold
// points the file really had room for, inside its own bounding box.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "geo/outline_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TagReader reader(std::string(reinterpret_cast<const char*>(data), size));
    const OutlineRead read = readOutline(reader);
    const MapOutline& outline = read.outline;
    if (read.bytes != size) std::abort();

    std::size_t points = 0;
    for (const OutlineLayer& layer : outline.layers) {
        for (const OutlinePolyline& polyline : layer.polylines) {
            for (const Position& point : polyline.points) {
                if (point.x < polyline.minX || point.x > polyline.maxX || point.y < polyline.minY
                    || point.y > polyline.maxY || point.x < -32768 || point.x > 32767)
                    std::abort();
            }
            points += polyline.points.size();
        }
    }
    // Each point took four bytes of the input.
    if (points * 4 > size) std::abort();
    return 0;
}
