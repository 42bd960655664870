#!/usr/bin/env bash
# Builds everything and runs every test: the main build's unit, Qt, network and fuzz-corpus
# tests; the same whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer with
# leak detection; each libFuzzer target for a short run; and the Windows stage: the whole
# program cross-built for Windows, its suites, setup program and network cases under wine64
# (scripts/windows-check.sh). Network tests need root (they create namespaces). Each stage
# prints its time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
started=$SECONDS
stage() { echo "== $1 (at $((SECONDS - started)) s)"; }

stage "Main build and tests"
"$root/scripts/build.sh"
export XDG_RUNTIME_DIR=/tmp/camtivo-xdg QT_QPA_PLATFORM=offscreen
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$root/build" --output-on-failure -j2 --timeout 300

stage "Sanitizer build and the whole suite (unit, Qt, network, fuzz corpora)"
san=$root/build-asan
[ -f "$san/build.ninja" ] || cmake -S "$root" -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCAMTIVO_SANITIZE=ON -DCAMTIVO_BENCH=OFF
cmake --build "$san"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$san" --output-on-failure -j2 --timeout 600

stage "libFuzzer targets (${CAMTIVO_FUZZ_SECONDS:-15} s each)"
fz=$root/build-fuzz
[ -f "$fz/build.ninja" ] || CXX=clang++ cmake -S "$root" -B "$fz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCAMTIVO_FUZZ=ON
cmake --build "$fz"
"$root/scripts/fuzz.sh" "$fz" "${CAMTIVO_FUZZ_SECONDS:-15}"

stage "Windows: cross build, suites, setup program and network cases under wine64"
"$root/scripts/windows-check.sh"
stage "Done"
