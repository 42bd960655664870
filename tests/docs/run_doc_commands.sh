#!/usr/bin/env bash
# run_doc_commands.sh BUILD_DIR SOURCE_DIR (root): runs every camtivo-cli and camtivo-camsim
# command of the shell blocks of README.md and docs/*.md, one after the other, against the
# simulator, inside network namespaces made here and removed on the way out, failed or not:
#   PC 192.168.0.10 --- 192.168.0.1 router 10.20.0.1 --- 10.20.0.7 camera behind the router
#                       192.168.0.30-.31 two cameras, and .21 for the one the batch moves there
# Password files and cameras.csv (the csv block of docs/command-line.md) are in a home of its
# own. A command passes when it exits with the status its line gives ("# exit N"), else 0.
set -euo pipefail
build=$(realpath "$1")
src=$(realpath "$2")
tag=cd$$
pc=$tag-pc lan=$tag-lan far=$tag-far
home=$(mktemp -d /tmp/camtivo-docs.XXXXXX)
cleanup() {
  for ns in $pc $lan $far; do
    ip netns pids "$ns" 2>/dev/null | xargs -r kill -9 2>/dev/null || true
    ip netns del "$ns" 2>/dev/null || true
  done
  rm -rf "$home"
}
trap cleanup EXIT
for ns in $pc $lan $far; do ip netns add "$ns"; ip -n "$ns" link set lo up; done
ip link add pc0 netns $pc type veth peer name lan0 netns $lan
ip link add lan1 netns $lan type veth peer name far0 netns $far
ip -n $pc addr add 192.168.0.10/24 dev pc0
for a in 1 30 31 21; do ip -n $lan addr add 192.168.0.$a/24 dev lan0; done
ip -n $lan addr add 10.20.0.1/24 dev lan1
for a in 7 21; do ip -n $far addr add 10.20.0.$a/24 dev far0; done
ip -n $pc link set pc0 up; ip -n $lan link set lan0 up; ip -n $lan link set lan1 up; ip -n $far link set far0 up
ip netns exec $lan sysctl -qw net.ipv4.ip_forward=1
ip -n $pc route add 10.20.0.0/24 via 192.168.0.1
ip -n $far route add default via 10.20.0.1
sim=$build/tools/camtivo-camsim
ip netns exec $lan "$sim" --own-address --lifetime 0 --count 2 --mac 00:50:c2:10:20:01 \
  --ip 192.168.0.30 --gateway 192.168.0.1 --password secret --log "$home/lan.json" >/dev/null &
ip netns exec $far "$sim" --own-address --lifetime 0 --mac 00:50:c2:10:20:07 \
  --ip 10.20.0.7 --gateway 10.20.0.1 --password secret --log "$home/far.json" >/dev/null &
for _ in $(seq 50); do
  grep -qs started "$home/lan.json" && grep -qs started "$home/far.json" && break
  sleep 0.1
done

umask 077
echo secret >"$home/.camera-pw"
echo "porch phrase" >"$home/.wep-phrase"
awk '/^```csv/ {f = 1; next} /^```/ {f = 0} f' "$src/docs/command-line.md" >"$home/cameras.csv"
# One command a line: the lines of the sh blocks, a trailing backslash joining the next.
commands=$(awk '/^```/ {sh = ($0 ~ /^```sh/); next}
  sh { if (sub(/\\$/, "")) { joined = joined $0; next } print joined $0; joined = "" }' \
  "$src/README.md" "$src"/docs/*.md | grep -E '(^|\| *)camtivo-(cli|camsim) ')
failures=0 count=0
while IFS= read -r command; do
  want=0
  [[ $command =~ \#\ exit\ ([0-9]+) ]] && want=${BASH_REMATCH[1]}
  got=0
  (cd "$home" && ip netns exec $pc env HOME="$home" PATH="$build/tools:$PATH" PW=secret \
    CAMTIVO_PASSWORD=secret timeout 120 bash -c "$command" </dev/null >"$home/out" 2>&1) || got=$?
  count=$((count + 1))
  if [[ $got == "$want" ]]; then
    echo "PASS (exit $got) $command"
  else
    echo "FAIL (exit $got, the docs say $want) $command"
    sed 's/^/    /' "$home/out"
    failures=$((failures + 1))
  fi
done <<<"$commands"
echo "$count commands, $failures failed"
((count > 10 && failures == 0))
