// Reading the outline map. The file comes from outside: every count is checked against the
// bytes left before anything is reserved for it, and bytes that end early leave what was read
// whole rather than a polyline cut short.
#include "geo/outline_loader.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "records/counted.h"

namespace {

// Bytes that each counted item takes at the least: a layer or a polyline its own count word,
// a point its two coordinate words.
constexpr std::size_t leastLayerBytes = 2;
constexpr std::size_t leastPolylineBytes = 2;
constexpr std::size_t pointBytes = 4;

// A coordinate word is two's complement: outlines reach west of the false origin, as much of
// Ireland does once shifted into the national plane.
std::int32_t coordinate(std::uint16_t word)
{
    return static_cast<std::int16_t>(word);
}

// The polyline, or none when the bytes end before its last point.
std::optional<OutlinePolyline> readPolyline(TagReader& reader)
{
    const auto pointCount = reader.readWord();
    if (!pointCount || std::size_t{*pointCount} * pointBytes > reader.remaining()) return std::nullopt;

    OutlinePolyline polyline;
    polyline.points.reserve(*pointCount);
    for (std::uint16_t point = 0; point < *pointCount; ++point) {
        const auto x = reader.readWord();
        const auto y = reader.readWord();
        if (!x || !y) return std::nullopt;
        polyline.addPoint({coordinate(*x), coordinate(*y)});
    }
    return polyline;
}

// Reads a layer's polylines; false when the bytes ended inside the layer.
bool readPolylines(TagReader& reader, OutlineLayer& layer)
{
    const auto polylineCount = reader.readWord();
    if (!polylineCount) return false;
    if (std::size_t{*polylineCount} * leastPolylineBytes <= reader.remaining())
        layer.polylines.reserve(*polylineCount);
    for (std::uint16_t index = 0; index < *polylineCount; ++index) {
        auto polyline = readPolyline(reader);
        if (!polyline) return false;
        layer.polylines.push_back(std::move(*polyline));
    }
    return true;
}

} // namespace

OutlineLayer readOutlineLayer(TagReader& reader)
{
    OutlineLayer layer;
    readPolylines(reader, layer);
    return layer;
}

OutlineRead readOutline(TagReader& reader)
{
    OutlineRead read;
    MapOutline& outline = read.outline;
    const auto layerCount = reader.readWord();
    if (layerCount) {
        if (std::size_t{*layerCount} * leastLayerBytes <= reader.remaining())
            outline.layers.reserve(*layerCount);
        for (std::uint16_t index = 0; index < *layerCount; ++index) {
            if (reader.remaining() < leastLayerBytes) {
                read.cutShort = true;
                break;
            }
            OutlineLayer& layer = outline.layers.emplace_back();
            if (!readPolylines(reader, layer)) {
                read.cutShort = true;
                break;
            }
        }
    }
    read.cutShort = read.cutShort || reader.ranOut();
    read.bytes = reader.size();
    return read;
}

OutlineRead readOutlineFile(const std::filesystem::path& path)
{
    TagReader reader(readFilePresent(path, outlineMapFile));
    return readOutline(reader);
}

std::string damageReport(const std::filesystem::path& path, const OutlineRead& read)
{
    std::size_t polylines = 0;
    for (const OutlineLayer& layer : read.outline.layers) polylines += layer.polylines.size();
    return quotedPath(path) + " is damaged: its " + counted(read.bytes, "byte", "bytes") +
           " end before its counts do. " + counted(read.outline.layers.size(), "layer", "layers") +
           " with " + counted(polylines, "polyline", "polylines") + " could be read.";
}
