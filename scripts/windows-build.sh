#!/usr/bin/env bash
# Cross-builds the whole of Camtivo for 64-bit Windows in build-windows/ (or
# $CAMTIVO_WINDOWS_BUILD_DIR): the three programs, the unit and Qt test suites and the fuzz-corpus
# drivers, with Qt 6.4.2 for mingw-w64 from scripts/windows-qt.sh. The language packs and the
# program icon come from the Linux build (build/, or $CAMTIVO_BUILD_DIR), which is built first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
host=${CAMTIVO_BUILD_DIR:-$root/build}
win=${CAMTIVO_WINDOWS_BUILD_DIR:-$root/build-windows}
"$root/scripts/build.sh" camtivo_packs
qt=$("$root/scripts/windows-qt.sh")
# -O2 as in the main build: GCC 12 at -O3 reports false overlaps inside its own string code.
[ -f "$win/build.ninja" ] || cmake -S "$root" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-posix.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCAMTIVO_PACKS=OFF -DCAMTIVO_BENCH=OFF -DCAMTIVO_HOST_BUILD="$host" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64
cmake --build "$win" -- "$@"
