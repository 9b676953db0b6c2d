#!/usr/bin/env python3
"""Makes data/map.dat, the outline drawn behind the towers, from the GSHHG shorelines, lakes,
rivers and borders (high resolution) that GMT reads, projected with PROJ's cs2cs.

Great Britain, the Isle of Man, Scilly and the French side of the Channel go onto the national
grid (EPSG:27700); Ireland, Northern Ireland included, onto the Irish grid (EPSG:29903) and
then by the fixed Irish offset into the national plane, where the directory's Irish grid
references land. Coordinates are whole units of 100 m, written as signed 16-bit words.

Layers, one per pen of the map view:
  0  coastlines and lake shores (pen 0, dark blue: the one water colour among the outline pens)
  1  national borders           (pen 1, brown)
  2  rivers                     (pen 2, grey: many fine lines that should stay behind the
                                 towers; pens 3 and 4 are black and would look like the marks
                                 of three- and four-bell towers)

Usage: make_outline_map.py [output]   (default: data/map.dat beside this folder)
Needs gmt (with the gmt-gshhg-high data) and cs2cs on the path.
"""

import struct
import subprocess
import sys
from pathlib import Path

REGION = "-R-11/2.5/49.5/61"
RESOLUTION = "-Dh"

# Irish grid positions shift by this many 100 m units into the national plane.
IRISH_OFFSET_X = -1977
IRISH_OFFSET_Y = 1672

# Douglas-Peucker tolerance in metres, per layer: fine enough that a 100 m grid keeps the
# shape of harbours and estuaries, coarse enough to keep the file small.
TOLERANCE = {0: 120.0, 1: 120.0, 2: 150.0}

# Shores smaller than this across (in metres) are rocks and skerries, invisible at any zoom
# the map offers but many in number.
SMALLEST_SHORE = 400.0


def gmt_segments(option):
    """Segments of a gmt coast dump as (level, [(lon, lat), ...]) in output order."""
    text = subprocess.run(["gmt", "coast", REGION, RESOLUTION, option, "-M"],
                          check=True, capture_output=True, text=True).stdout
    segments = []
    for line in text.splitlines():
        if line.startswith(">"):
            level = int(line.rsplit("Level", 1)[1]) if "Level" in line else 0
            segments.append((level, []))
        elif line.strip():
            lon, lat = line.split()[:2]
            segments[-1][1].append((float(lon), float(lat)))
    return [s for s in segments if len(s[1]) >= 2]


def key(point):
    return (round(point[0] * 1e6), round(point[1] * 1e6))


def join_pieces(pieces):
    """Joins pieces cut at GMT's bin edges back into whole lines, end to start, reversing a
    piece where that makes the ends meet. Pieces that close on themselves become rings."""
    pieces = [list(p) for p in pieces]
    by_end = {}
    for index, piece in enumerate(pieces):
        by_end.setdefault(key(piece[0]), []).append(index)
        by_end.setdefault(key(piece[-1]), []).append(index)
    used = [False] * len(pieces)

    def take_next(point):
        for index in by_end.get(key(point), []):
            if not used[index]:
                used[index] = True
                piece = pieces[index]
                return piece if key(piece[0]) == key(point) else piece[::-1]
        return None

    lines = []
    for index, piece in enumerate(pieces):
        if used[index]:
            continue
        used[index] = True
        line = list(piece)
        while key(line[-1]) != key(line[0]):
            following = take_next(line[-1])
            if following is None:
                break
            line.extend(following[1:])
        while key(line[0]) != key(line[-1]):
            preceding = take_next(line[0])
            if preceding is None:
                break
            # preceding starts where the line starts; reversed, it ends there.
            line[:0] = preceding[::-1][:-1]
        lines.append(line)
    return lines


def is_irish(line):
    """True for lines of Ireland and its islands, judged by their middle: west of the North
    Channel and south of Islay; Rathlin and Inishtrahull lie further north but further west."""
    lons = [p[0] for p in line]
    lats = [p[1] for p in line]
    lon = (min(lons) + max(lons)) / 2
    lat = (min(lats) + max(lats)) / 2
    return (lon < -5.35 and lat < 55.25) or (lon < -5.95 and lat < 55.45)


def project(lines, crs):
    """All lines' points through one cs2cs run; gives metres, easting and northing."""
    if not lines:
        return []
    text = "".join(f"{lat:.7f} {lon:.7f}\n" for line in lines for lon, lat in line)
    out = subprocess.run(["cs2cs", "-f", "%.2f", "EPSG:4326", crs],
                         input=text, check=True, capture_output=True, text=True).stdout.split("\n")
    projected, at = [], 0
    for line in lines:
        points = []
        for _ in line:
            e, n = out[at].split()[:2]
            points.append((float(e), float(n)))
            at += 1
        projected.append(points)
    return projected


def simplify(points, tolerance):
    """Douglas-Peucker, iterative so that long coasts do not exhaust Python's stack."""
    if len(points) < 3:
        return points
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        first, last = stack.pop()
        (x1, y1), (x2, y2) = points[first], points[last]
        dx, dy = x2 - x1, y2 - y1
        length2 = dx * dx + dy * dy
        worst, worst_index = -1.0, -1
        for i in range(first + 1, last):
            px, py = points[i]
            if length2 == 0:
                d2 = (px - x1) ** 2 + (py - y1) ** 2
            else:
                cross = dx * (py - y1) - dy * (px - x1)
                d2 = cross * cross / length2
            if d2 > worst:
                worst, worst_index = d2, i
        if worst_index >= 0 and worst > tolerance * tolerance:
            keep[worst_index] = True
            stack.append((first, worst_index))
            stack.append((worst_index, last))
    return [p for p, k in zip(points, keep) if k]


def to_units(points, irish):
    """Metres to whole 100 m units (rounded), shifted when Irish; repeats dropped."""
    units = []
    for e, n in points:
        x, y = round(e / 100), round(n / 100)
        if irish:
            x, y = x + IRISH_OFFSET_X, y + IRISH_OFFSET_Y
        if not units or units[-1] != (x, y):
            units.append((x, y))
    return units


def extent(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return max(max(xs) - min(xs), max(ys) - min(ys))


def build_layer(lines, tolerance, drop_small_shores):
    """Projects, simplifies and rounds one layer's lines; a closed line stays closed (its
    first point repeated last) so the view draws the whole shore."""
    irish = [line for line in lines if is_irish(line)]
    british = [line for line in lines if not is_irish(line)]
    result = []
    for group, crs, shifted in ((british, "EPSG:27700", False), (irish, "EPSG:29903", True)):
        for metres in project(group, crs):
            closed = metres[0] == metres[-1] or (
                abs(metres[0][0] - metres[-1][0]) < 0.01 and abs(metres[0][1] - metres[-1][1]) < 0.01)
            if drop_small_shores and closed and extent(metres) < SMALLEST_SHORE:
                continue
            units = to_units(simplify(metres, tolerance), shifted)
            if closed and len(units) >= 2 and units[0] != units[-1]:
                units.append(units[0])
            if len(units) < 2 or (closed and len(units) < 4):
                continue
            result.append(units)
    return result


def write_map(path, layers):
    data = bytearray(struct.pack("<H", len(layers)))
    for layer in layers:
        data += struct.pack("<H", len(layer))
        for polyline in layer:
            if len(polyline) > 0xFFFF:
                raise SystemExit("polyline too long for a 16-bit count")
            data += struct.pack("<H", len(polyline))
            for x, y in polyline:
                data += struct.pack("<hh", x, y)
    temporary = path.with_suffix(path.suffix + ".new")
    temporary.write_bytes(data)
    temporary.replace(path)
    return len(data)


def main():
    output = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data" / "map.dat"

    shores = gmt_segments("-W")
    coast_lines = []
    for level in sorted({level for level, _ in shores}):
        coast_lines += join_pieces([points for lvl, points in shores if lvl == level])
    border_lines = join_pieces([points for _, points in gmt_segments("-N1")])
    river_lines = join_pieces([points for _, points in gmt_segments("-Ir")])

    layers = [
        build_layer(coast_lines, TOLERANCE[0], True),
        build_layer(border_lines, TOLERANCE[1], False),
        build_layer(river_lines, TOLERANCE[2], False),
    ]
    size = write_map(output, layers)
    for number, layer in enumerate(layers):
        print(f"layer {number}: {len(layer)} polylines, {sum(len(p) for p in layer)} points")
    print(f"{output}: {size} bytes")


if __name__ == "__main__":
    main()
