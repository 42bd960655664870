#!/usr/bin/env bash
# The layering the programs rely on, checked on the sources and on the built binaries:
#   - src/device (the search-and-save engine) includes nothing from the windows above it;
#   - camtivo-cli links Qt Core but neither Qt Gui nor Qt Widgets;
#   - camtivo-camsim links no Qt library at all.
# Usage: check_layers.sh SOURCE_DIR CLI CAMSIM [OBJDUMP]. The libraries a binary needs are read
# from its own headers (ELF NEEDED entries, or the DLL names of a Windows program), so the
# check also holds for a cross build whose programs cannot run here.
set -uo pipefail
source_dir=$1
cli=$2
camsim=$3
objdump=${4:-objdump}
failed=0

fail() {
  echo "FAIL: $*"
  failed=1
}

# The libraries a binary needs, one a line.
needed() {
  "$objdump" -p "$1" | sed -n -E 's/^[[:space:]]*(NEEDED[[:space:]]+|DLL Name: )//p'
}

upward=$(grep -rnE '#include "(app|pages|skin|device_ui)/' "$source_dir/src/device" || true)
[ -z "$upward" ] || fail "src/device includes from a layer above it:"$'\n'"$upward"

for binary in "$cli" "$camsim"; do
  [ -f "$binary" ] || fail "$binary is missing"
done
[ "$failed" -eq 0 ] || exit 1

cli_libs=$(needed "$cli")
echo "$cli_libs" | grep -qiE '^(lib)?Qt6Core' || fail "camtivo-cli does not link Qt Core (is this the right file?)"
bad=$(echo "$cli_libs" | grep -iE '^(lib)?Qt6(Gui|Widgets)' || true)
[ -z "$bad" ] || fail "camtivo-cli links $(echo $bad)"

bad=$(needed "$camsim" | grep -iE '^(lib)?Qt6' || true)
[ -z "$bad" ] || fail "camtivo-camsim links $(echo $bad)"

[ "$failed" -eq 0 ] && echo "layering holds"
exit "$failed"
