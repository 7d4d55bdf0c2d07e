#!/usr/bin/env bash
# Every test: unit tests, then the same under AddressSanitizer and UBSan, then
# each fuzzer for a short bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

echo "== unit tests"
VEMO_BUILD_DIR="$root/build" "$root/scripts/build.sh" -DVEMO_BUILD_TESTS=ON -DVEMO_BUILD_APP=ON
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

echo "== unit tests under AddressSanitizer and UBSan"
VEMO_BUILD_DIR="$root/build-asan" VEMO_BUILD_TYPE=Debug "$root/scripts/build.sh" -DVEMO_BUILD_TESTS=ON -DVEMO_SANITIZE=ON -DVEMO_BUILD_APP=ON
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

if [ -d "$root/fuzz" ] && ls "$root"/fuzz/*.cpp >/dev/null 2>&1; then
  echo "== fuzzers (bounded)"
  VEMO_BUILD_DIR="$root/build-fuzz" CC=clang CXX=clang++ "$root/scripts/build.sh" \
    -DCMAKE_CXX_COMPILER=clang++ -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_FUZZERS=ON
  for f in "$root"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus="$root/fuzz/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
    echo "-- $name"
    "$f" -max_total_time="${VEMO_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 -print_final_stats=0 "$work" 2>&1 | tail -n 2
    rm -rf "$work"
  done
fi
