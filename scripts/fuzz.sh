#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer programs (clang, with the address and undefined-behaviour
# sanitizers) and runs each for a while, starting from its committed corpus. New inputs go to
# build-fuzz/corpus/<name>/; copy the ones that found a fault into fuzz/corpus/<name>/.
#   scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]      e.g. scripts/fuzz.sh 60 vesk_dat
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
command -v clang++ >/dev/null || { echo "clang++ is needed: apt-get install clang" >&2; exit 1; }

seconds=${1:-60}
shift || true
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DBELFRIX_LIBFUZZER=ON -DBELFRIX_SANITIZE=ON -DBELFRIX_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp | sed 's/^fuzz_//')"); done
fi
for target in "${targets[@]}"; do
  cmake --build build-fuzz -j "$(nproc)" --target "fuzz_$target"
  mkdir -p "build-fuzz/corpus/$target"
  echo "== fuzz_$target for ${seconds}s"
  "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" "build-fuzz/corpus/$target" "fuzz/corpus/$target"
done
