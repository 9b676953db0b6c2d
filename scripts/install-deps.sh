#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and any named as arguments, only
# those that are missing.
set -euo pipefail

# The viewer's toolkit, a font and a virtual X display for its tests; PROJ for true WGS-84
# positions in exports and map links.
packages=(g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev
          libwxgtk3.2-dev fonts-dejavu-core xvfb xauth libproj-dev "$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
  exit 1
fi
echo "Installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}" >/dev/null
