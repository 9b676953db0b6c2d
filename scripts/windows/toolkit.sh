#!/usr/bin/env bash
# Builds wxWidgets' MSW port for 64-bit Windows (static, MinGW-w64) from Debian's source package
# and installs it under CACHE, keyed by the source's version and the build's flags, so that a
# later run finds it. Prints the installed folder (it holds bin/wx-config).
# Usage: toolkit.sh CACHE
set -euo pipefail
cache=$1
host=x86_64-w64-mingw32

# The parts Belfrix uses: the core and base libraries. Debian's source leaves out the image,
# compression and XML libraries wxWidgets bundles; what needs them, and every optional library
# the viewer does not include, stays out.
flags=(--host=$host --build="$(dpkg-architecture -qDEB_BUILD_GNU_TYPE)" --with-msw
       --disable-shared --disable-tests
       --without-libpng --without-libjpeg --without-libtiff --without-zlib --without-expat
       --without-regex --without-opengl --without-libcurl --without-nanosvg
       --disable-html --disable-htmlhelp --disable-webview --disable-mediactrl --disable-stc
       --disable-richtext --disable-aui --disable-propgrid --disable-ribbon --disable-xrc
       --disable-sockets --disable-webrequest --disable-debugreport --disable-svg
       --disable-sound --disable-secretstore)

# deb-src is what apt-get source reads; a machine set up for binaries only gets one for Debian.
if ! apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Package:'; then
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  cat > /etc/apt/sources.list.d/belfrix-deb-src.sources <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get update -qq -o DPkg::Lock::Timeout=600
fi
version=$(apt-cache showsrc wxwidgets3.2 | sed -n 's/^Version: //p' | sort -V | tail -1)
key=$(printf '%s\n' "${flags[@]}" "$($host-g++-posix --version | head -1)" | sha1sum | cut -c1-12)
prefix=$cache/wxmsw-$version-$key
if [ -x "$prefix/bin/wx-config" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# apt-get fetches as its own unprivileged user, which must be able to write here.
chown _apt "$work" 2>/dev/null || true
echo "Building wxWidgets $version for Windows (about 15 minutes on two cores)" >&2
(cd "$work" && apt-get source -qq "wxwidgets3.2=$version" >/dev/null)
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'wxwidgets3.2-*')
mkdir -p "$work/build" "$cache"
# Installed into a staging folder beside its final place, then moved there in one step: a build
# cut short leaves no toolkit that looks finished.
staging=$cache/.staging-${prefix##*/}
rm -rf "$staging"
(cd "$work/build" &&
  CC=$host-gcc-posix CXX=$host-g++-posix "$source_dir/configure" --prefix="$prefix" \
    "${flags[@]}" >configure.log &&
  nice -n 10 make -j "$(nproc)" >make.log 2>&1 &&
  make install DESTDIR="$staging" >install.log) || {
  echo "wxWidgets did not build; the logs are in $work/build (kept)" >&2
  trap - EXIT
  exit 1
}
mv "$staging$prefix" "$prefix"
rm -rf "$staging"
echo "$prefix"
