#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS (default 60) on its seed corpus.
# New inputs go to <build>/corpus/<name>, never into the repository; a crash
# leaves its input in <build>/crashes/ and fails the script.
# Usage: scripts/fuzz.sh <build folder of a VX_FUZZ=ON configure>
set -uo pipefail
BUILD=${1:?Build-Ordner fehlt}
SECONDS_EACH=${FUZZ_SECONDS:-60}
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
TARGETS=(lu_hitlines glab_hitlines ini betrag ludefault glab_amounts)

failed=()
for name in "${TARGETS[@]}"; do
  exe="$BUILD/bin/fuzz_$name"
  work="$BUILD/corpus/$name"
  mkdir -p "$work" "$BUILD/crashes"
  echo "== fuzz_$name: ${SECONDS_EACH}s"
  if ! "$exe" "$work" "$ROOT/fuzz/corpus/$name" -max_total_time="$SECONDS_EACH" \
      -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$BUILD/crashes/$name-" >"$BUILD/fuzz_$name.log" 2>&1; then
    tail -n 60 "$BUILD/fuzz_$name.log"
    echo "fuzz_$name: Fehler"
    failed+=("$name")
  else
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$BUILD/fuzz_$name.log")
    echo "fuzz_$name: ok (${runs:-?} Eingaben)"
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing fand Fehler in: ${failed[*]} (Eingaben unter $BUILD/crashes/)"
  exit 1
fi
echo "Fuzzing: ${#TARGETS[@]} Ziele ohne Fehler"
