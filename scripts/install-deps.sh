#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and any named as arguments, only
# those that are missing.
set -euo pipefail

# The viewer's toolkit, a font and a virtual X display for its tests; PROJ for true WGS-84
# positions in exports and map links.
exec "$(dirname "$0")/install-packages.sh" g++ cmake ninja-build pkg-config libgtest-dev \
  libbenchmark-dev libwxgtk3.2-dev libgtk-3-dev fonts-dejavu-core xvfb xauth libproj-dev "$@"
