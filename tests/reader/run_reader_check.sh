#!/usr/bin/env bash
# Runs reader_check.py against the wizard in test mode: inside a network namespace of its own
# (the wizard sends nothing, and the buses and the display stay private), under Xvfb and a
# private session bus. Every process started here is ended on the way out, failed or not.
# Usage: run_reader_check.sh CAMTIVO_PROGRAM DEMO_DIR   (root: it makes a namespace)
set -euo pipefail
if [[ "${1:-}" != --inside ]]; then
    exec unshare --net "$0" --inside "$@"
fi
shift
program=$(realpath "$1")
demo=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
ip link set lo up
cp "$(dirname "$program")"/*.dll "$work"/
cp "$demo/Camtivo.tst" "$work"/
# Xvfb picks a free display itself and writes its number once it takes connections, so that
# neither another server's display nor a stale socket of one is taken for ours.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
display=:$(head -n 1 "$work/display")
cd "$work"
# dbus-run-session ends the session bus, and the accessibility bus it started, with the check.
env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    XDG_RUNTIME_DIR="$work" NO_AT_BRIDGE=0 LANG=C.UTF-8 LC_ALL= \
    dbus-run-session -- /usr/bin/python3 "$here/reader_check.py" "$program" "$work"
