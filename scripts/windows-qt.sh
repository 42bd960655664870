#!/usr/bin/env bash
# Prints the folder of Qt 6.4.2's base module built for 64-bit Windows (mingw-w64), making it
# first when it is not there yet. It lives outside the checkout, in a cache keyed by version
# ($CAMTIVO_CACHE, by default ~/.cache/camtivo): qt6-mingw-<version>/.
#
# When ../shared/windows/qt6-mingw-<version>.tar.xz sits beside the checkout (or
# $CAMTIVO_QT_ARCHIVE names one) and its sha256 matches the .sha256 file beside it, it is
# unpacked. Otherwise Qt is built from Debian's own qt6-base source (about 45 minutes on two
# cores): the host Qt of the same version provides moc, rcc and uic.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=6.4.2
name=qt6-mingw-$version
cache=${CAMTIVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/camtivo}
qt=$cache/$name
archive=${CAMTIVO_QT_ARCHIVE:-$root/../shared/windows/$name.tar.xz}
log() { echo "windows-qt: $*" >&2; }

# Lists every line of the Debian sources entries again with "Types: deb-src", so apt-get source
# can fetch from the archive the machine already uses.
add_deb_src() {
  local list=/etc/apt/sources.list.d/camtivo-deb-src.sources
  grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$list"
  apt-get update -qq
}

# The two lines of Qt 6.4.2's Windows platform plugin that use features this configuration
# switches off (desktop OpenGL, Direct2D).
patch_source() {
  local win=$1/src/plugins/platforms/windows
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' "$win/qwindowswindow.cpp"
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$win/qwindowsintegration.cpp"
}

build_from_source() {
  local work
  work=$(mktemp -d "$cache/qt-build.XXXXXX")
  trap 'rm -rf "$work"' RETURN
  add_deb_src
  (cd "$work" && apt-get source --download-only "qt6-base=$version*")
  tar -C "$work" -xf "$work"/qt6-base_$version*.orig.tar.xz
  local src
  src=$(find "$work" -maxdepth 1 -type d -name 'qtbase-*' | head -n1)
  patch_source "$src"
  cmake -G Ninja -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt.partial" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON \
    -DFEATURE_zstd=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_accessibility=ON -DFEATURE_tabletevent=OFF
  nice -n 5 cmake --build "$work/build"
  cmake --install "$work/build"
  rm -rf "$qt.partial/doc"
  find "$qt.partial" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
  mv "$qt.partial" "$qt"
}

unpack() {
  local expected actual
  expected=$(cut -d' ' -f1 "$archive.sha256")
  actual=$(sha256sum "$archive" | cut -d' ' -f1)
  if [ "$expected" != "$actual" ]; then
    log "$archive: sha256 $actual, expected $expected"
    return 1
  fi
  local work
  work=$(mktemp -d "$cache/qt-unpack.XXXXXX")
  tar -C "$work" -xJf "$archive"
  mv "$work/$name" "$qt"
  rmdir "$work"
}

mkdir -p "$cache"
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  rm -rf "$qt" "$qt.partial"
  if [ -f "$archive" ]; then
    log "unpacking $archive"
    unpack || exit 1
  else
    log "no prebuilt archive; building Qt $version for mingw-w64 from Debian's source"
    build_from_source
  fi
fi
echo "$qt"
