#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all. Each benchmark program measures its
# baseline in the same run, so the ratios it reports compare like with like.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)"
for program in build-bench/bench/bench_*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  if [ "$(basename "$program")" = bench_viewer ] && [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1400x1000x24" "$program" --benchmark_counters_tabular=true "$@"
  else
    "$program" --benchmark_counters_tabular=true "$@"
  fi
done
