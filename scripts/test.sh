#!/usr/bin/env bash
# Builds everything and runs every test: the main build's unit, Qt, network and fuzz-corpus
# tests, then the Qt-free libraries again under AddressSanitizer + UndefinedBehaviorSanitizer,
# then each libFuzzer target for a short run. Network tests need root (they create namespaces).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
export XDG_RUNTIME_DIR=/tmp/camtivo-xdg QT_QPA_PLATFORM=offscreen
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$root/build" --output-on-failure -j2 --timeout 300

echo "== Sanitizer build (Qt-free libraries, unit tests, fuzz corpora)"
san=$root/build-asan
[ -f "$san/build.ninja" ] || cmake -S "$root" -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCAMTIVO_SANITIZE=ON -DCAMTIVO_GUI=OFF -DCAMTIVO_PACKS=OFF
cmake --build "$san"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$san" --output-on-failure -j2

echo "== libFuzzer targets (${CAMTIVO_FUZZ_SECONDS:-15} s each)"
fz=$root/build-fuzz
[ -f "$fz/build.ninja" ] || CXX=clang++ cmake -S "$root" -B "$fz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCAMTIVO_FUZZ=ON
cmake --build "$fz"
"$root/scripts/fuzz.sh" "$fz" "${CAMTIVO_FUZZ_SECONDS:-15}"
