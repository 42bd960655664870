#!/usr/bin/env bash
# Builds Camtivo and starts the wizard in test mode on the bundled demo: run in a copy of demo/,
# so the cameras come from Camtivo.tst, not the network. The packs are found beside the
# program; the wizard starts in the locale's language (LANG=es_ES.UTF-8 for Spanish).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" camtivo camtivo_packs
run=$root/demo-run
mkdir -p "$run"
cp -r "$root/demo/." "$run/"
cd "$run"
exec "$root/build/src/app/camtivo" /testmode "$@"
