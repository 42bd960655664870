#!/usr/bin/env bash
# net_cases.sh LINUX_BUILD WINDOWS_BUILD: the Windows programs on a network, under wine, as root.
# Everything runs in namespaces made here and removed at the end: a PC and a camera joined by a
# veth pair (10.77.0.1/24, 10.77.0.2/24), and a second camera on a second PC link for the
# two-interface case. Each wine run has its own prefix whose wineserver is started inside the
# namespace of the program (wine-session.sh), never in the machine's own.
#   1. the setup is proved first: a search by camtivo-cli.exe is heard by the simulator in the
#      camera namespace, and by no listener in the machine's namespace;
#   2. camtivo-cli.exe search finds the Linux simulator with the right fields;
#   3. camtivo-cli.exe save reaches the simulator byte for byte as the Linux CLI's save does, a
#      network name beyond ASCII included, and refuses one the camera cannot store;
#   4. the Linux CLI finds camtivo-camsim.exe, named beyond ASCII, and saves to it; the simulator
#      writes its log to a file named beyond ASCII;
#   5. two interfaces: each camera is answered on its own interface;
#   6. camtivo-cli.exe saves the cameras of a batch file named beyond ASCII, in a folder so named;
#   7. camtivo-cli.exe search --csv ends each line with one CR LF;
#   8. camtivo-cli.exe and camtivo.exe show text beyond ASCII rightly on a console and redirected.
set -euo pipefail
linux=$(realpath "$1")
win=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3
export PYTHONUTF8=1
tag=cw$$
pc=$tag-pc cam=$tag-cam cam2=$tag-cam2
scratch=$(mktemp -d /tmp/camtivo-wnet.XXXXXX)
pids=()
failures=0
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  for ns in $pc $cam $cam2; do
    ip netns pids "$ns" 2>/dev/null | xargs -r kill -9 2>/dev/null || true
    ip netns del "$ns" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
check() { # check NAME CONDITION-COMMAND...
  local name=$1
  shift
  if "$@"; then echo "PASS $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}

link() { # link NS_A ADDR_A NS_B ADDR_B VETH_A VETH_B
  ip link add "$5" netns "$1" type veth peer name "$6" netns "$3"
  ip -n "$1" addr add "$2" dev "$5"
  ip -n "$3" addr add "$4" dev "$6"
  ip -n "$1" link set "$5" up
  ip -n "$3" link set "$6" up
}
for ns in $pc $cam $cam2; do
  ip netns add "$ns"
  ip -n "$ns" link set lo up
done
link $pc 10.77.0.1/24 $cam 10.77.0.2/24 pc0 cam0
link $pc 10.78.0.1/24 $cam2 10.78.0.2/24 pc1 cam0
# The limited broadcast leaves by the first link unless the program names the interface.
ip -n $pc route add 255.255.255.255/32 dev pc0

# A wine prefix made once, in a namespace of its own, and copied for every run.
export CAMTIVO_WINE_TEMPLATE=$scratch/template
mkdir "$CAMTIVO_WINE_TEMPLATE"
unshare --net env WINEPREFIX="$CAMTIVO_WINE_TEMPLATE" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= \
  sh -c '/usr/lib/wine/wine64 wineboot --init && /usr/lib/wine/wineserver64 -k; /usr/lib/wine/wineserver64 -w' \
  >/dev/null 2>&1

wine_in() { # wine_in NS PROGRAM.exe ARGS...: runs a Windows program inside NS, with its own server
  local ns=$1 exe=$2
  shift 2
  ip netns exec "$ns" timeout 120 "$here/wine-session.sh" /usr/lib/wine/wine64 "$exe" "$@"
}
sim_in() { # sim_in NS LOG ARGS...: the Linux simulator in the background
  local ns=$1 log=$2
  shift 2
  ip netns exec "$ns" "$linux/tools/camtivo-camsim" --lifetime 120 --log "$log" "$@" &
  pids+=($!)
  for _ in $(seq 50); do grep -q '"started"' "$log" 2>/dev/null && return 0; sleep 0.1; done
  return 1
}
stop_sims() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  pids=()
}
json() { # json FILE EXPRESSION: evaluates EXPRESSION over the JSON list in FILE as `cams`
  "$py" -c "import json,sys; cams=json.load(open(sys.argv[1])); print($2)" "$1"
}
set_hex() { # set_hex LOG: the hex of the first datagram the simulator received after the query
  "$py" -c "
import json,sys
lines=[json.loads(l) for l in open(sys.argv[1])]
got=[l['hex'] for l in lines if l.get('event')=='received']
print(got[-1] if got else '')" "$1"
}
applied() { # applied LOG KEY: the KEY setting of the first save the simulator applied
  "$py" -c "
import json,sys
lines=[json.loads(l) for l in open(sys.argv[1])]
got=[l['settings'][sys.argv[2]] for l in lines if l.get('event')=='applied']
print(got[0] if got else '')" "$1" "$2"
}
cli=$win/tools/camtivo-cli.exe
files="$scratch/Prueba ★"
mkdir "$files"
winpath() { # winpath PATH: PATH as a Windows program names it, on wine's drive of the root
  printf 'Z:%s' "${1//\//\\}"
}

# 1. Only the camera namespace hears the Windows program's search.
"$py" - "$scratch/outside.txt" <<'PY' &
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("0.0.0.0", 916))
s.settimeout(0.5)
heard = 0
end = time.time() + 60
while time.time() < end:
    try:
        s.recvfrom(2048)
        heard += 1
    except socket.timeout:
        pass
    open(sys.argv[1], "w").write(str(heard))
PY
outside=$!
pids+=($outside)
sim_in $cam "$scratch/proof.log" --name Porch
wine_in $pc "$cli" search --seconds 2 --json >"$scratch/search.json" 2>"$scratch/search.err" || true
sleep 1
kill $outside 2>/dev/null || true
stop_sims
check "setup: the simulator in the camera namespace heard the Windows search" \
  grep -q '"event":"received"' "$scratch/proof.log"
check "setup: nothing reached the machine's own namespace" test "$(cat "$scratch/outside.txt" 2>/dev/null)" = 0

# 2. The Windows CLI finds the Linux simulator with its fields.
sim_in $cam "$scratch/find.log" --count 2 --variants enc --type 18 --name Porch --firmware 0x120 --web-port 8080 --dhcp
wine_in $pc "$cli" search --seconds 2 --json >"$scratch/search.json" 2>"$scratch/search.err" || true
stop_sims
check "camtivo-cli.exe search finds both cameras with their fields" test "$(json "$scratch/search.json" \
  "[(c['mac'],c['name'],c['ip'],c['mask'],c['deviceType'],c['firmware'],c['webPort'],c['dhcp']) for c in cams]")" \
  = "[('02:ca:00:00:00:01', 'Porch 1', '10.77.0.2', '255.255.255.0', 18, 'V1.20', 8080, True), ('02:ca:00:00:00:02', 'Porch 2', '10.77.0.2', '255.255.255.0', 18, 'V1.20', 8080, True)]"

# 3. A save from Windows reaches the simulator as the same save from Linux does; the arguments
#    are read as typed, so "Café" is stored as Windows-1252 and a character beyond it is refused.
#    The clock is given: the camera's own, carried forward, differs by the programs' start-up.
save=(save --mac 02:CA:00:00:00:01 --login Operator --password pw --name Hall-2 --dhcp off --ip 10.77.0.9
  --mask 255.255.255.0 --gateway 10.77.0.254 --wireless on --ssid Café --date 03/04/2026 --time 10:20)
sim=(--variants plain --login Operator --password pw)
sim_in $cam "$scratch/save-win.log" "${sim[@]}"
wine_in $pc "$cli" "${save[@]}" >"$scratch/save-win.out" 2>&1 && win_status=0 || win_status=$?
stop_sims
sim_in $cam "$scratch/save-linux.log" "${sim[@]}"
ip netns exec $pc "$linux/tools/camtivo-cli" "${save[@]}" >"$scratch/save-linux.out" 2>&1 || true
stop_sims
check "camtivo-cli.exe save is acknowledged (exit 0)" test "$win_status" = 0
check "the Windows save's request equals the Linux one byte for byte" \
  test "$(set_hex "$scratch/save-win.log")" = "$(set_hex "$scratch/save-linux.log")" -a -n "$(set_hex "$scratch/save-win.log")"
check "the Windows save stored the network name as typed" test "$(applied "$scratch/save-win.log" ssid)" = Café
sim_in $cam "$scratch/refuse-win.log" "${sim[@]}"
wine_in $pc "$cli" "${save[@]}" --ssid 'Café ★' >"$scratch/refuse-win.out" 2>&1 && refuse_status=0 || refuse_status=$?
stop_sims
check "camtivo-cli.exe refuses a character the camera cannot store (exit 2, nothing sent)" \
  test "$refuse_status" = 2 -a -z "$(set_hex "$scratch/refuse-win.log")"
check "the refusal names the option and the character" grep -q -- "--ssid: .* holds '★' (U+2605)" "$scratch/refuse-win.out"

# 4. The Linux CLI against the Windows simulator, which ends by itself after its lifetime.
ip netns exec $cam timeout 90 "$here/wine-session.sh" /usr/lib/wine/wine64 "$win/tools/camtivo-camsim.exe" \
  --lifetime 20 --log "$(winpath "$files/registro ★.log")" --name Café --login Operator --password pw --variants plain \
  >"$scratch/winsim.out" 2>&1 &
winsim=$!
for _ in $(seq 300); do grep -q '"started"' "$files/registro ★.log" 2>/dev/null && break; sleep 0.1; done
ip netns exec $pc "$linux/tools/camtivo-cli" search --seconds 2 --json >"$scratch/linux.json" 2>&1 || true
ip netns exec $pc "$linux/tools/camtivo-cli" "${save[@]}" >"$scratch/linux-save.out" 2>&1 && lin_status=0 || lin_status=$?
wait $winsim || true
check "the Linux CLI finds camtivo-camsim.exe" test "$(json "$scratch/linux.json" "[(c['mac'],c['name'],c['ip']) for c in cams]")" \
  = "[('02:ca:00:00:00:01', 'Café', '10.77.0.2')]"
check "the Linux CLI's save to camtivo-camsim.exe is acknowledged" test "$lin_status" = 0
check "camtivo-camsim.exe logged the save to 'registro ★.log'" grep -q '"event":"applied"' "$files/registro ★.log"

# 5. Two interfaces: each camera answers on its own link and is reported on it.
sim_in $cam "$scratch/two-a.log" --name Front --mac 02:ca:00:00:0a:01
sim_in $cam2 "$scratch/two-b.log" --name Back --mac 02:ca:00:00:0b:01
# (A Windows program ends its lines with CR LF.)
wine_in $pc "$cli" search --seconds 2 --all-product 2>&1 | tr -d '\r' >"$scratch/two.txt" || true
stop_sims
check "two interfaces: the first camera on pc0" grep -q "^02:ca:00:00:0a:01.*10.77.0.2.*pc0$" "$scratch/two.txt"
check "two interfaces: the second camera on pc1" grep -q "^02:ca:00:00:0b:01.*10.78.0.2.*pc1$" "$scratch/two.txt"

# 6. A batch file named beyond ASCII, given by its Windows name.
printf 'mac,login,password,name\r\n02:ca:00:00:00:01,Operator,pw,Lote-1\r\n' >"$files/lote ★.csv"
sim_in $cam "$scratch/batch.log" "${sim[@]}"
wine_in $pc "$cli" save --batch "$(winpath "$files/lote ★.csv")" >"$scratch/batch.out" 2>&1 && batch_status=0 ||
  batch_status=$?
stop_sims
check "camtivo-cli.exe saves the cameras of 'Prueba ★\\lote ★.csv'" \
  test "$batch_status" = 0 -a "$(applied "$scratch/batch.log" cameraName)" = Lote-1

# 7. CSV: each line ends with one CR LF, one row each in a spreadsheet (a header and 2 cameras).
sim_in $cam "$scratch/csv.log" --count 2 --name Porch
wine_in $pc "$cli" search --seconds 2 --csv >"$scratch/search.csv" 2>"$scratch/csv.err" || true
stop_sims
ends=$("$py" -c "import sys; d = open(sys.argv[1], 'rb').read(); print(d.count(b'\n'), d.count(b'\r\n'), d.count(b'\r'))" "$scratch/search.csv")
check "camtivo-cli.exe search --csv ends each of its 3 lines with one CR LF" test "$ends" = "3 3 3"

# 8. On a console (wine's, on the terminal "script" makes) text is written as characters and
#    reads right whatever the console's code page; redirected, it stays UTF-8 (the refusal in 3).
on_console() { # on_console OUT PROGRAM ARGS...: the text PROGRAM shows on a console, blanks left out
  local out=$1
  shift
  ip netns exec $pc timeout 120 "$here/wine-session.sh" env SHELL=/bin/bash LC_ALL=C.UTF-8 \
    script -qec "$(printf '%q ' /usr/lib/wine/wine64 "$@")" /dev/null | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' |
    tr -d ' \r\n' >"$out" || true
}
sim_in $cam "$scratch/console.log" --name Café
on_console "$scratch/console-search.out" "$cli" search --seconds 2
stop_sims
check "camtivo-cli.exe on a console: the camera 'Café'" grep -q "02:ca:00:00:00:01Café10.77.0.2" "$scratch/console-search.out"
on_console "$scratch/console-wizard.out" "$win/src/app/camtivo.exe" --to 'Cámara★'
check "camtivo.exe on a console: its refusal of --to 'Cámara★'" grep -q "for--to:'Cámara★'" "$scratch/console-wizard.out"

if ((failures)); then
  for f in "$scratch"/*.out "$scratch"/*.err "$scratch"/*.txt "$scratch"/*.json; do echo "--- $f"; cat "$f"; done
  exit 1
fi
