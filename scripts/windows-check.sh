#!/usr/bin/env bash
# The Windows stage, as root: the whole program cross-built for 64-bit Windows
# (scripts/windows-build.sh), then, under wine64 with no display:
#   - the unit suite, the Qt suite (offscreen; the test-mode wizard walks among them) and the
#     fuzz-corpus drivers, by ctest, inside a network namespace of their own with loopback only,
#     where their wineserver is started too;
#   - the setup program (scripts/package-windows.sh): silent install into a folder named beyond
#     ASCII, the installed wizard's main page against Linux's, the uninstaller
#     (tests/windows/check_setup.sh);
#   - the portable zip beside it, unpacked into a folder named beyond ASCII and run from there
#     (tests/windows/check_portable.sh);
#   - the wizard's start-up registration with the Windows firewall, logged
#     (tests/windows/firewall_step.sh);
#   - the network cases between the Windows and the Linux programs, in namespaces
#     (tests/windows/net_cases.sh);
#   - with a display: the installed wizard walked by the keyboard on a virtual X screen against
#     the Linux simulator, and the text tests under the Windows platform plugin
#     (tests/windows/display_walk.sh; screenshots in build-windows/png/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host=${CAMTIVO_BUILD_DIR:-$root/build}
win=${CAMTIVO_WINDOWS_BUILD_DIR:-$root/build-windows}
step() { echo "-- $1 (at $SECONDS s)"; }
step "Windows build"
"$root/scripts/windows-build.sh"
step "Windows suites under wine"
unshare --net "$root/tests/windows/wine-session.sh" --lo \
  ctest --test-dir "$win" --output-on-failure -j2 --timeout 600
step "Windows setup program"
setup=$("$root/scripts/package-windows.sh")
echo "$setup: $(stat -c %s "$setup") bytes"
"$root/tests/windows/check_setup.sh" "$setup" "$host"
step "Windows programs on the network (namespaces)"
"$root/tests/windows/net_cases.sh" "$host" "$win"
step "Windows portable zip"
echo "${setup%.exe}.zip: $(stat -c %s "${setup%.exe}.zip") bytes"
"$root/tests/windows/check_portable.sh" "${setup%.exe}.zip"
step "Windows firewall step"
"$root/tests/windows/firewall_step.sh" "$win"
step "The installed wizard on a real display (namespaces)"
"$root/tests/windows/display_walk.sh" "$host" "$setup" "$win/png" "$win/tests/camtivo_qt_tests.exe"
step "Windows stage done"
