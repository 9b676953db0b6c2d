#!/usr/bin/env bash
# Builds GoogleTest from Debian's sources (/usr/src/googletest) as static libraries for 64-bit
# Windows and installs it under CACHE, keyed by its version and the compiler's. Prints the
# installed folder.
# Usage: googletest.sh CACHE TOOLCHAIN-FILE
set -euo pipefail
cache=$1
toolchain=$2

version=$(dpkg-query -W -f='${Version}' googletest)
key=$( (x86_64-w64-mingw32-g++-posix --version | head -1; sha1sum "$toolchain") | sha1sum | cut -c1-12)
prefix=$cache/googletest-$version-$key
if [ -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
staging=$cache/.staging-${prefix##*/}
rm -rf "$staging"
cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
nice -n 10 cmake --build "$work" >/dev/null
DESTDIR="$staging" cmake --install "$work" >/dev/null
mv "$staging$prefix" "$prefix"
rm -rf "$staging"
echo "$prefix"
