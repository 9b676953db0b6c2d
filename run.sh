#!/usr/bin/env bash
# Builds the programs, compiles the sample directory in work/ and starts the viewer on it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBELFRIX_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target veskcomp veskquery Belfrix

mkdir -p work
cp data/vesk.txt data/map.dat work/
cd work
../build-release/compiler/veskcomp
if [ -z "${DISPLAY:-}" ]; then
  echo "No display to show the viewer on (DISPLAY is not set): run it in work/ as" \
       "'xvfb-run -a ../build-release/viewer/Belfrix', or start ./run.sh from a desktop session."
  exit 0
fi
exec ../build-release/viewer/Belfrix
