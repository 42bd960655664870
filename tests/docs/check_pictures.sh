#!/usr/bin/env bash
# check_pictures.sh CAMTIVO_PROGRAM SOURCE_DIR OUT_DIR: renders the README's two pictures again,
# as docs/wizard.md says (test mode on the demo cameras, offscreen), into OUT_DIR, and fails when
# docs/main-page.png or docs/search-page.png differs from them beyond font noise.
set -euo pipefail
program=$(realpath "$1")
src=$(realpath "$2")
out=$(realpath -m "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
cp "$src/demo/Camtivo.tst" "$work"/
cd "$work"
status=0
for picture in main-page:main-page.png search-page:search:search-page.png; do
  name=${picture%%:*}
  rm -f "$out/$name.png"
  env -u LC_ALL -u LANGUAGE LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    timeout 60 "$program" /testmode "--snapshot=${picture#*:}" || { echo "FAIL $name: no picture"; exit 1; }
  mv "$work/$name.png" "$out/$name.png"
  if /usr/bin/python3 "$src/tests/windows/png_compare.py" "$out/$name.png" "$src/docs/$name.png" 0.995; then
    echo "PASS $name"
  else
    echo "FAIL $name: docs/$name.png is out of date; the new one is $out/$name.png"
    status=1
  fi
done
exit $status
