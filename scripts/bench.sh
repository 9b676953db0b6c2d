#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all, then veskquery beside the sqlite3 shell.
# Each benchmark measures its baseline in the same run, so the ratios it reports compare like with
# like. The map references are set beside PROJ, which is installed here with sqlite3 when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh proj-bin sqlite3
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
echo "== veskquery_vs_sqlite"
bench/veskquery_vs_sqlite.sh build-bench
