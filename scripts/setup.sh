#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Camtivo need. Idempotent:
# when every package is present it does nothing and needs no network.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  binutils-mingw-w64-x86-64 cpp g++-mingw-w64-x86-64 wine64
  fonts-dejavu-core iproute2 nftables util-linux procps
  dpkg-dev desktop-file-utils appstream file
  lintian help2man bash-completion
  nsis xz-utils python3
  xvfb xdotool dbus at-spi2-core python3-pyatspi
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
