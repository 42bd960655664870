#!/usr/bin/env bash
# Builds Camtivo and its Debian package: build/camtivo_<version>_<arch>.deb. Install it with
#   sudo apt-get install ./build/camtivo_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CAMTIVO_BUILD_DIR:-$root/build}
"$root/scripts/build.sh" camtivo camtivo-cli camtivo-camsim camtivo_packs camtivo_package_docs
cd "$build"
cpack -G DEB
ls "$build"/camtivo_*.deb
