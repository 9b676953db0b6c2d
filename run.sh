#!/usr/bin/env bash
# Builds the programs, compiles the sample directory in work/ and shows its summary.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBELFRIX_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target veskcomp veskquery

mkdir -p work
cp data/vesk.txt data/map.dat work/
cd work
../build-release/compiler/veskcomp
