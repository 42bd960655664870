#!/usr/bin/env bash
# display_walk.sh LINUX_BUILD SETUP.exe PNG_DIR QT_TESTS.exe (root): the installed wizard on a
# real display. A PC and a camera namespace joined by a veth pair; three cameras of the Linux
# simulator in the camera one; in the PC one a virtual X screen (Xvfb) and a wine session drawing
# on it with wine's own X11 driver, where the setup program installs camtivo.exe and the keyboard
# walks it with the Windows platform plugin: Return first (Start), the camera list, login, a new
# name and address, Save, the success page. Each step's window is kept in PNG_DIR; the simulator's
# log proves the save. Then the text tests of QT_TESTS.exe run there too, with that plugin.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux=$(realpath "$1")
setup=$(realpath "$2")
mkdir -p "$3"
png=$(realpath "$3")
tests=$(realpath "$4")
tag=dw$$
pc=$tag-pc cam=$tag-cam
scratch=$(mktemp -d /tmp/camtivo-wwalk.XXXXXX)
cleanup() {
  for ns in $pc $cam; do
    ip netns pids "$ns" 2>/dev/null | xargs -r kill -9 2>/dev/null || true
    ip netns del "$ns" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
for ns in $pc $cam; do
  ip netns add "$ns"
  ip -n "$ns" link set lo up
done
ip link add pc0 netns $pc type veth peer name cam0 netns $cam
ip -n $pc addr add 10.79.0.1/24 dev pc0
ip -n $cam addr add 10.79.0.2/24 dev cam0
ip -n $pc link set pc0 up
ip -n $cam link set cam0 up

ip netns exec $cam "$linux/tools/camtivo-camsim" --count 3 --name Lobby --login admin --password lens42 --gateway 10.79.0.254 \
  --lifetime 600 --log "$scratch/sim.log" >/dev/null 2>&1 &
# A display number no other X server holds; its socket is private to the PC namespace.
display=$((100 + $$ % 400))
while [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
mkdir "$scratch/fb"
ip netns exec $pc Xvfb :$display -screen 0 1024x768x24 -nolisten tcp -fbdir "$scratch/fb" \
  >"$scratch/xvfb.log" 2>&1 &
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
ip netns exec $pc env -u QT_QPA_PLATFORM DISPLAY=:$display timeout 900 "$here/wine-session.sh" --display \
  bash "$here/display_walk_keys.sh" "$setup" "$scratch" "$png" "$tests"
