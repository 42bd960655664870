#!/usr/bin/env bash
# The layering the programs rely on, checked on the sources and on the built binaries:
#   - src/device (the search-and-save engine) includes nothing from the windows above it;
#   - neither src/device nor any core/ folder includes a widget header: Qt Widgets, or a
#     top-level header of platform/, skin/, pages/, device_ui/ or app/;
#   - camtivo-cli links Qt Core but neither Qt Gui nor Qt Widgets;
#   - camtivo-camsim links no Qt library at all.
# Usage: check_layers.sh SOURCE_DIR CLI CAMSIM [OBJDUMP [QT_WIDGETS_INCLUDE_DIRS]], or
# check_layers.sh --includes SOURCE_DIR [QT_WIDGETS_INCLUDE_DIRS] for the sources alone.
# QT_WIDGETS_INCLUDE_DIRS is Qt Widgets' include path (a CMake list): the names in its QtWidgets
# folder are the Qt widget headers. The libraries a binary needs are read from its own headers
# (ELF NEEDED entries, or the DLL names of a Windows program), so the check also holds for a
# cross build whose programs cannot run here.
set -uo pipefail
failed=0

fail() {
  echo "FAIL: $*"
  failed=1
}

# Every Qt Widgets header as it can be included, one fixed string a line.
widget_patterns() {
  echo "<QtWidgets>"
  echo "<QtWidgets/"
  local dir
  IFS=';' read -ra dirs <<<"$1"
  for dir in "${dirs[@]}"; do
    [ "$(basename "$dir")" = QtWidgets ] && [ -d "$dir" ] || continue
    find "$dir" -maxdepth 1 -type f -printf '<%f>\n'
  done
}

# check_includes SOURCE_DIR QT_WIDGETS_INCLUDE_DIRS
check_includes() {
  local source_dir=$1 patterns upward widgets lower
  upward=$(grep -rnE '#include "(app|pages|skin|device_ui)/' "$source_dir/src/device" || true)
  [ -z "$upward" ] || fail "src/device includes from a layer above it:"$'\n'"$upward"

  mapfile -t lower < <(find "$source_dir/src" "$source_dir/tools" -maxdepth 2 -type d \
    \( -path "$source_dir/src/device" -o -name core \))
  patterns=$(mktemp)
  widget_patterns "$2" >"$patterns"
  widgets=$( (grep -rnE '#include' "${lower[@]}" | grep -F -f "$patterns"
    grep -rnE '#include "(platform|skin|pages|device_ui|app)/[A-Za-z0-9_]+\.h"' "${lower[@]}") | sort -u)
  rm -f "$patterns"
  [ -z "$widgets" ] || fail "widget headers included below the windows:"$'\n'"$widgets"
}

if [ "$1" = --includes ]; then
  check_includes "$2" "${3:-}"
  [ "$failed" -eq 0 ] && echo "include layering holds"
  exit "$failed"
fi

source_dir=$1
cli=$2
camsim=$3
objdump=${4:-objdump}
check_includes "$source_dir" "${5:-}"

# The libraries a binary needs, one a line.
needed() {
  "$objdump" -p "$1" | sed -n -E 's/^[[:space:]]*(NEEDED[[:space:]]+|DLL Name: )//p'
}

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
