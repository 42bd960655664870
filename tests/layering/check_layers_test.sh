#!/usr/bin/env bash
# The include check of check_layers.sh on small trees: a clean tree passes, and each planted
# widget include fails it. Usage: check_layers_test.sh [QT_WIDGETS_INCLUDE_DIRS].
set -uo pipefail
checker="$(dirname "$0")/check_layers.sh"
qt_dirs=${1:-}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failed=0

# file|include line|expected exit status of the check
cases=(
  'src/device/engine.cpp|#include <QObject>|0'
  'src/device/core/record.h|#include "platform/core/byte_view.h"|0'
  'src/device/engine.cpp|#include <QWidget>|1'
  'src/device/engine.cpp|#include <QtWidgets/QDialog>|1'
  'src/device/core/record.h|#include "platform/wizard_dialog.h"|1'
  'src/skin/core/values.cpp|#include "skin/skin_draw.h"|1'
  'src/platform/core/clock.cpp|#include <QApplication>|1'
  'tools/cli/core/table.cpp|#include "pages/setting_page.h"|1'
  'src/device/action.cpp|#include "device_ui/search_page.h"|1'
)
for entry in "${cases[@]}"; do
  IFS='|' read -r file line expected <<<"$entry"
  rm -rf "${tree:?}"/*
  mkdir -p "$tree/src/device/core" "$tree/src/skin/core" "$tree/tools/cli/core" "$(dirname "$tree/$file")"
  echo "$line" >"$tree/$file"
  bash "$checker" --includes "$tree" "$qt_dirs" >/dev/null
  status=$?
  if [ "$status" -ne "$expected" ]; then
    echo "FAIL: $line in $file: the check exited $status, not $expected"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "the include check catches every planted include"
exit "$failed"
