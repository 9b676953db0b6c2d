#!/usr/bin/env bash
# Builds Belfrix, veskcomp and veskquery for 64-bit Windows with MinGW-w64 in build-windows/,
# with wxWidgets' MSW port built from Debian's source, runs the tests under Wine and packs the
# installer. The toolkit and GoogleTest are built once and kept under
# ${XDG_CACHE_HOME:-~/.cache}/belfrix/, with the Wine prefix the tests run in.
# The last line is the total: "N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")/.."

stop() {  # message
  echo "$1" >&2
  echo "0 passed, 1 failed"
  exit 1
}

scripts/install-packages.sh cmake ninja-build dpkg-dev googletest g++-mingw-w64-x86-64-posix \
  wine64 nsis || stop "The Windows build's packages could not be installed"

cache=${XDG_CACHE_HOME:-$HOME/.cache}/belfrix
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
toolkit=$(scripts/windows/toolkit.sh "$cache") || stop "wxWidgets for Windows could not be built"
googletest=$(scripts/windows/googletest.sh "$cache" "$toolchain") ||
  stop "GoogleTest for Windows could not be built"

# Test discovery runs the test programs at build time, so Wine is set up first. Its .NET and
# HTML engines are never needed and would otherwise be offered for download. One Wine server
# stays up for the whole run: a program that starts just as an idle server ends fails.
export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver64
mkdir -p "$WINEPREFIX"
"$wineserver" -k 2>/dev/null
"$wineserver" -p || stop "The Wine server could not start"
trap '"$wineserver" -k' EXIT
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || stop "Wine could not set up $WINEPREFIX"

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DBELFRIX_BENCH=OFF -DBELFRIX_VIEWER=ON -DCMAKE_FIND_ROOT_PATH="$toolkit;$googletest" \
  -DwxWidgets_CONFIG_EXECUTABLE="$toolkit/bin/wx-config" >/dev/null || stop "CMake could not configure build-windows"
nice -n 10 cmake --build build-windows -j "$(nproc)" || stop "The Windows build failed"

log=$(mktemp)
trap '"$wineserver" -k; rm -f "$log"' EXIT
ctest --test-dir build-windows --output-on-failure -j "$(nproc)" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
[ -n "$summary" ] || stop "ctest gave no summary"
total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
echo "$((total - bad)) passed, $bad failed"
exit "$status"
