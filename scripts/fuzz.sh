#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a fixed time, starting from its seed corpus.
# Usage: fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 seconds=$2
targets=0 failed=0
for bin in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin"); corpus=${name#fuzz_}
  work=$(mktemp -d)
  cp -r "$root/tests/fuzz/corpus/$corpus/." "$work/" 2>/dev/null || true
  targets=$((targets + 1))
  if "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$work" >"$work.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -c . "$work.log" || true) log lines)"
  else
    failed=$((failed + 1)); echo "fuzz $name: FAILED"; tail -n 40 "$work.log"
  fi
  rm -rf "$work" "$work.log"
done
echo "$((targets - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
