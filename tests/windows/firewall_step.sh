#!/usr/bin/env bash
# firewall_step.sh WINDOWS_BUILD: the wizard's start-up registration with the Windows firewall,
# once under wine, in a namespace of its own with loopback only. Wine's firewall objects trace
# every call, so the trace shows how far the step went; the wizard must get through it (and
# through its undoing at exit) without a hang or a crash and show its main page. The calls made
# are logged.
set -euo pipefail
win=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d /tmp/camtivo-wfw.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL $*"
  [ -f "$scratch/trace.txt" ] && tail -20 "$scratch/trace.txt"
  exit 1
}

unshare --net "$here/wine-session.sh" --lo bash -c '
  cd "$1" && WINEDEBUG=+hnetcfg timeout 120 /usr/lib/wine/wine64 "$2" /testmode --snapshot="Z:$1/main.png" 2>trace.txt
' _ "$scratch" "$win/src/app/camtivo.exe" && status=0 || status=$?
[ "$status" = 0 ] || fail "the wizard ended with status $status (124: it hung)"
[ -s "$scratch/main.png" ] || fail "the wizard did not show its main page"
calls=$(sed -n 's/^[0-9a-f]*:[a-z]*:hnetcfg:\([A-Za-z_]*\).*/\1/p' "$scratch/trace.txt" | awk '!seen[$0]++' | paste -sd' ')
echo "firewall calls: ${calls:-none}"
grep -q 'fw_policy_get_CurrentProfile' <<<"$calls" || fail "start-up never reached the firewall's current profile"
if grep -q 'fw_apps_Add' <<<"$calls"; then
  echo "firewall step: the firewall is on; the program was listed and taken off again at exit"
else
  echo "firewall step: the firewall reports itself off; nothing was listed"
fi
echo "PASS the firewall registration ran and the wizard started"
