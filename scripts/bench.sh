#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all, then veskquery beside the sqlite3 shell.
# Each benchmark measures its baseline in the same run, so the ratios it reports compare like with
# like. The map references are set beside PROJ, which is installed here with sqlite3 when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
missing=()
for package in libproj-dev proj-bin sqlite3; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "Missing packages: ${missing[*]} (run as root)" >&2; exit 1; }
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}" >/dev/null
fi
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
