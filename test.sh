#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build, with the viewer's tests in a
# virtual X display, and once more without the viewer with the address and undefined-behaviour
# sanitizers. The records, the compiler and the document, which work on several threads, are
# tested a third time under the thread sanitizer. The last line is the total: "N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh || exit 1
# Programs that read the GPS exports back; their tests are skipped, saying so, without them.
scripts/install-deps.sh gpsbabel gdal-bin ||
  echo "gpsbabel and gdal-bin could not be installed: the tests that read the GPS exports with them are skipped"
# The validators of the desktop entry, the AppStream metadata and the MIME type.
scripts/install-deps.sh desktop-file-utils appstream libxml2-utils ||
  echo "desktop-file-utils, appstream and libxml2-utils could not be installed: the tests that validate the desktop files with them are skipped"

jobs=$(nproc)
configure_and_build() {  # build-dir, cmake options... [-- targets...]
  local dir=$1; shift
  local options=() targets=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
  [ $# -gt 0 ] && shift && targets=(--target "$@")
  cmake -S . -B "$dir" -G Ninja "${options[@]}" >/dev/null || return 1
  cmake --build "$dir" -j "$jobs" "${targets[@]}" || return 1
}

configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo || { echo "0 passed, 1 failed"; exit 1; }
configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DBELFRIX_SANITIZE=ON -DBELFRIX_BENCH=OFF \
  -DBELFRIX_VIEWER=OFF \
  || { echo "0 passed, 1 failed"; exit 1; }
configure_and_build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBELFRIX_SANITIZE_THREADS=ON \
  -DBELFRIX_BENCH=OFF -DBELFRIX_VIEWER=OFF -- records_tests compiler_tests document_tests veskcomp \
  || { echo "0 passed, 1 failed"; exit 1; }

passed=0; failed=0; status=0
for dir in build-asan build-tsan build; do
  echo "== Tests in $dir"
  log=$(mktemp)
  run=(ctest --test-dir "$dir" --output-on-failure -j "$jobs")
  [ "$dir" = build-tsan ] && run+=(-L '^(records|compiler|document)$')
  [ "$dir" = build ] && run=(xvfb-run -a -s "-screen 0 1400x1000x24" "${run[@]}")
  "${run[@]}" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$summary" ]; then
    status=1; failed=$((failed + 1))
  else
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad)); failed=$((failed + bad))
  fi
  rm -f "$log"
done
echo "$passed passed, $failed failed"
exit $status
