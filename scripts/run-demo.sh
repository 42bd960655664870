#!/usr/bin/env bash
# Builds Camtivo and starts the wizard in test mode on the bundled demo: a copy of demo/ with
# the freshly built language pack, so the cameras come from Camtivo.tst, not the network.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" camtivo camtivo_packs
run=$root/demo-run
mkdir -p "$run"
cp -r "$root/demo/." "$run/"
cp "$root/build/packs/English/English.dll" "$run/"
cd "$run"
exec "$root/build/src/app/camtivo" /testmode "$@"
