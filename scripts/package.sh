#!/usr/bin/env bash
# Makes the Debian package belfrix_<version>_<arch>.deb in the project root: a Release build of
# the programs in build-package/, then CPack. Install it with `apt-get install ./belfrix_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev), with file, names the libraries the programs need as dependencies.
scripts/install-deps.sh dpkg-dev file
# Packing builds only the installed programs, not the tests and benchmarks.
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBELFRIX_BENCH=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build build-package -j "$(nproc)" --target Belfrix veskcomp veskquery
(cd build-package && cpack >/dev/null)
package=$(cd build-package && ls belfrix_*.deb)
mv "build-package/$package" .
echo "$PWD/$package"
