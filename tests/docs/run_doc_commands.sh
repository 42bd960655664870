#!/usr/bin/env bash
# run_doc_commands.sh BUILD_DIR SOURCE_DIR (root): runs each camtivo-cli and camtivo-camsim line
# of the sh blocks of README.md and docs/*.md in turn, in namespaces made here and removed on
# the way out, against the simulator: PC 192.168.0.10 - router 192.168.0.1 with two cameras
# (.30, .31; .21 for the batch's move) - 10.20.0.1 - a camera at 10.20.0.7 (and .21).
# A line passes when it exits with the status it gives ("# exit N"), else 0.
set -euo pipefail
build=$(realpath "$1") src=$(realpath "$2") pc=cd$$-pc lan=cd$$-lan far=cd$$-far
home=$(mktemp -d /tmp/camtivo-docs.XXXXXX) sims=()
cleanup() {
  set +e
  kill "${sims[@]}" 2>/dev/null; wait 2>/dev/null
  for ns in $pc $lan $far; do ip netns pids $ns 2>/dev/null | xargs -r kill -9; ip netns del $ns 2>/dev/null; done
  rm -rf "$home"
}
trap cleanup EXIT
for ns in $pc $lan $far; do ip netns add $ns; ip -n $ns link set lo up; done
ip link add pc0 netns $pc type veth peer name lan0 netns $lan
ip link add lan1 netns $lan type veth peer name far0 netns $far
ip -n $pc addr add 192.168.0.10/24 dev pc0
for a in 1 30 31 21; do ip -n $lan addr add 192.168.0.$a/24 dev lan0; done
ip -n $lan addr add 10.20.0.1/24 dev lan1
for a in 7 21; do ip -n $far addr add 10.20.0.$a/24 dev far0; done
for l in $pc:pc0 $lan:lan0 $lan:lan1 $far:far0; do ip -n ${l%:*} link set ${l#*:} up; done
ip netns exec $lan sysctl -qw net.ipv4.ip_forward=1
ip -n $pc route add 10.20.0.0/24 via 192.168.0.1
ip -n $far route add default via 10.20.0.1
sim() { ip netns exec "$1" "$build/tools/camtivo-camsim" --own-address --lifetime 0 --password secret \
  --log "$home/$1.json" "${@:2}" >/dev/null & sims+=($!); }
sim $lan --count 2 --mac 00:50:c2:10:20:01 --ip 192.168.0.30 --gateway 192.168.0.1
sim $far --mac 00:50:c2:10:20:07 --ip 10.20.0.7 --gateway 10.20.0.1
for _ in $(seq 50); do grep -qs '"started"' "$home/$lan.json" && grep -qs '"started"' "$home/$far.json" && break; sleep 0.1; done
umask 077
echo secret >"$home/.camera-pw"
echo "porch phrase" >"$home/.wep-phrase"
awk '/^```csv/ {f = 1; next} /^```/ {f = 0} f' "$src/docs/command-line.md" >"$home/cameras.csv"
commands=$(awk '/^```/ {sh = ($0 ~ /^```sh/); next}
  sh { if (sub(/\\$/, "")) { joined = joined $0; next } print joined $0; joined = "" }' \
  "$src/README.md" "$src"/docs/*.md | grep -E '(^|\| *)camtivo-(cli|camsim) ')
failures=0 count=0
while IFS= read -r command; do
  want=0 got=0 count=$((count + 1))
  [[ $command =~ \#\ exit\ ([0-9]+) ]] && want=${BASH_REMATCH[1]}
  (cd "$home" && ip netns exec $pc env HOME="$home" PATH="$build/tools:$PATH" PW=secret \
    CAMTIVO_PASSWORD=secret timeout 120 bash -c "$command" </dev/null >"$home/out" 2>&1) || got=$?
  [[ $got == "$want" ]] && echo "PASS $command" && continue
  echo "FAIL (exit $got, the docs say $want) $command" && sed 's/^/    /' "$home/out"
  failures=$((failures + 1))
done <<<"$commands"
echo "$count commands, $failures failed"
((count > 10 && failures == 0))
