#!/usr/bin/env bash
# Makes the Windows setup program, build-windows/camtivo-<version>-win64.exe (a 64-bit NSIS
# installer; "/S" installs silently) and beside it the portable copy, camtivo-<version>-win64.zip.
# Cross-builds the three programs first (scripts/windows-build.sh, which also makes the Linux
# build the language packs come from) and prints the setup program's path (the zip's ends in .zip).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win=${CAMTIVO_WINDOWS_BUILD_DIR:-$root/build-windows}
"$root/scripts/windows-build.sh" camtivo camtivo-cli camtivo-camsim camtivo_windows_files >&2
(cd "$win" && cpack -G "NSIS;ZIP" --config CPackConfig.cmake >&2)
ls "$win"/camtivo-*-win64.exe
