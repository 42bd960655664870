#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a fixed time, starting from its seed corpus.
# Inputs grow up to 1 MB, the size of a real language pack, and any input that takes more than
# 2 s counts as a failure, so that inputs built to be slow are found as well as crashes. The
# targets that read whole files also run without libFuzzer's length control, which otherwise
# keeps inputs at a few kilobytes for a long time, so that sizes a file can reach are tried
# from the start; their seed corpora hold inputs of those sizes.
# Usage: fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1 seconds=$2
file_readers=" batch_table rtf_reader test_mode_file pe_resources skin_text message_skin dib "
targets=0 failed=0
for bin in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin"); corpus=${name#fuzz_}
  work=$(mktemp -d)
  cp -r "$root/tests/fuzz/corpus/$corpus/." "$work/" 2>/dev/null || true
  targets=$((targets + 1))
  length=()
  [[ $file_readers == *" $corpus "* ]] && length=(-len_control=0)
  if "$bin" -max_total_time="$seconds" -max_len=1048576 "${length[@]}" -timeout=2 -rss_limit_mb=2048 -print_final_stats=0 "$work" >"$work.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -c . "$work.log" || true) log lines)"
  else
    failed=$((failed + 1)); echo "fuzz $name: FAILED"; tail -n 40 "$work.log"
  fi
  rm -rf "$work" "$work.log"
done
echo "$((targets - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
