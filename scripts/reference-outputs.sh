#!/usr/bin/env bash
# The stored reference outputs: a small demo practice database with a fixed seed, the
# lab-turnover statistics of 2023 in every mode and the commercial-lab statistics,
# each as raw hit and selection file, as read back (tsv) and as summary.
#   scripts/reference-outputs.sh VXSTAT OUTDIR    write the outputs into OUTDIR
#   scripts/reference-outputs.sh VXSTAT --check   compare them with tests/data/reference
# With VX_REFERENCE_DB set to the location of an empty database on a server, the
# demo database is written there instead of into a file.
# After an intended change: `make reference`, then review `git diff tests/data`.
set -euo pipefail
VXSTAT=$1
TARGET=$2
ROOT=$(cd "$(dirname "$0")/.." && pwd)
STORED=$ROOT/tests/data/reference

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out
[ "$TARGET" = --check ] || out=$TARGET

# The run id ties a hit file to its selection file; it differs from run to run.
strip_run_id() { sed -E 's/^(#vxstat-hits\t[^\t]*\t).*/\1RUN/; s/^Lauf=.*/Lauf=RUN/' "$1"; }

db=${VX_REFERENCE_DB:-$work/praxis.db}
"$VXSTAT" demo-db "$db" --invoices 300 --seed 7 >/dev/null
rm -rf "$out" && mkdir -p "$out"
for mode in services invoices paid manual cancelled; do
    data=$work/lu-$mode
    "$VXSTAT" lu pass --db "$db" --from 2023-01-01 --to 2023-12-31 \
        --mode "$mode" --data "$data" >/dev/null
    mkdir -p "$out/lu-$mode"
    strip_run_id "$data/vx_slu.txt" >"$out/lu-$mode/vx_slu.txt"
    strip_run_id "$data/vx_slu.sel" >"$out/lu-$mode/vx_slu.sel"
    "$VXSTAT" lu read --data "$data" --format tsv >"$out/lu-$mode/read.tsv"
    "$VXSTAT" lu summary --data "$data" >"$out/lu-$mode/summary.txt"
done
data=$work/glab
"$VXSTAT" glab pass --db "$db" --from 2023-01-01 --to 2023-12-31 --data "$data" >/dev/null
mkdir -p "$out/glab"
strip_run_id "$data/vx_gla.txt" >"$out/glab/vx_gla.txt"
strip_run_id "$data/vx_gla.sel" >"$out/glab/vx_gla.sel"
"$VXSTAT" glab read --data "$data" --format tsv >"$out/glab/read.tsv"

if [ "$TARGET" = --check ]; then
    if ! diff -ru "$STORED" "$out"; then
        echo "Die Ausgaben weichen von tests/data/reference ab (neu schreiben: make reference)." >&2
        exit 1
    fi
    echo "Alle Referenzausgaben gleich."
fi
