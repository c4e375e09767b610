#!/usr/bin/env bash
# The benchmarks: every *_bench program of the build, one after the other, each with
# its default size. A program that misses one of its limits makes the run fail.
#   scripts/bench.sh BUILD
set -euo pipefail
BUILD=${1:-build}
status=0
found=0
for bench in "$BUILD"/bin/*_bench; do
  [ -x "$bench" ] || continue
  found=1
  echo "== $(basename "$bench")"
  "$bench" || status=1
  echo
done
if [ $found -eq 0 ]; then
  echo "Keine Benchmarks in $BUILD/bin (fehlt libbenchmark-dev?)." >&2
  exit 1
fi
exit $status
