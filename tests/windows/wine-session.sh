#!/usr/bin/env bash
# wine-session.sh [--lo] [--display] COMMAND...: runs COMMAND with a wine of its own, in the network
# namespace this script is started in (by "unshare --net" or "ip netns exec NS"). Wine's sockets are
# made by the wineserver, so the server is started here first, for a fresh prefix that no other run
# shares, and stopped (with the prefix removed) when COMMAND ends, whatever happens. --lo brings
# the namespace's loopback up first (a fresh "unshare --net" has it down). --display keeps DISPLAY,
# so that wine draws there with its X11 driver and Qt uses the Windows platform plugin.
#
# CAMTIVO_WINE_TEMPLATE, when set, is a prefix made once by "wineboot --init" that is copied
# instead of made again (a prefix holds no server; copying one starts nothing).
set -euo pipefail
display=
while [ "${1:-}" = "--lo" ] || [ "${1:-}" = "--display" ]; do
  if [ "$1" = "--lo" ]; then ip link set lo up; else display=${DISPLAY:?--display needs DISPLAY}; fi
  shift
done
wineserver=/usr/lib/wine/wineserver64
prefix=$(mktemp -d /tmp/camtivo-wine.XXXXXX)
cleanup() {
  WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
if [ -n "${CAMTIVO_WINE_TEMPLATE:-}" ]; then
  cp -a "$CAMTIVO_WINE_TEMPLATE/." "$prefix/"
fi
# Without a display wine's graphics driver is off, and its first-run dialogs with it. The
# compiler's runtime DLLs are found on WINEPATH by programs that do not carry them beside them.
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=$display
export WINEPATH='Z:\usr\lib\gcc\x86_64-w64-mingw32\12-posix;Z:\usr\x86_64-w64-mingw32\lib'
# Wine keeps QT_* variables from Windows programs and hands them WINEQT_* instead. Without a
# display, Qt's offscreen platform is the one that can paint; with one, the program chooses.
if [ -z "$display" ]; then
  export WINEQT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
elif [ -n "${QT_QPA_PLATFORM:-}" ]; then
  export WINEQT_QPA_PLATFORM=$QT_QPA_PLATFORM
fi
# One persistent server for the whole session: Debian's wineserver otherwise removes its socket
# folder a few seconds after its last client, under the feet of the next program.
"$wineserver" -p
[ -n "${CAMTIVO_WINE_TEMPLATE:-}" ] || /usr/lib/wine/wine64 wineboot --init
# In the background, so that a stop signal ends the command and the server at once.
"$@" &
child=$!
trap 'kill $child 2>/dev/null; exit 143' TERM INT
wait $child
