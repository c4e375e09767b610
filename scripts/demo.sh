#!/usr/bin/env bash
# The demo: a fresh demo practice database, its settings, a few lab invoices, and
# the lab-turnover list of 2023 from the database into the hit file and back; the
# commercial-lab statistics of 2023 with its journal (PDF) and chart (PNG).
#   scripts/demo.sh VXSTAT DB [DATA]
set -euo pipefail
VXSTAT=$1
DB=$2
DATA=${3:-$(dirname "$DB")/data}
rm -f "$DB"
mkdir -p "$DATA"
"$VXSTAT" demo-db "$DB" --invoices 5000 --seed 1
echo
"$VXSTAT" settings --db "$DB"
echo
"$VXSTAT" lu sample --db "$DB" --count 8
echo
"$VXSTAT" lu pass --db "$DB" --from 2023-01-01 --to 2023-12-31 --mode invoices --data "$DATA"
"$VXSTAT" lu read --data "$DATA" > "$DATA/laborumsatz-2023.txt"
"$VXSTAT" lu read --data "$DATA" --format tsv > "$DATA/laborumsatz-2023.tsv"
echo "Die ersten Zeilen der Liste (ganz in $DATA/laborumsatz-2023.txt und .tsv):"
head -n 8 "$DATA/laborumsatz-2023.txt"
echo
"$VXSTAT" lu summary --data "$DATA"
echo
"$VXSTAT" lu export --data "$DATA" --db "$DB" --xlsx "$DATA/laborumsatz-2023.xlsx"
"$VXSTAT" lu print --data "$DATA" --db "$DB" --pdf "$DATA/laborumsatz-2023.pdf"
# The technician ranking as a workbook and as a print.
"$VXSTAT" lu export --data "$DATA" --db "$DB" --view 7 --xlsx "$DATA/techniker-ranking-2023.xlsx"
"$VXSTAT" lu print --data "$DATA" --db "$DB" --view 7 --pdf "$DATA/techniker-ranking-2023.pdf"
echo
"$VXSTAT" glab pass --db "$DB" --from 2023-01-01 --to 2023-12-31 --data "$DATA"
"$VXSTAT" glab read --data "$DATA" > "$DATA/gewerbelabor-2023.txt"
echo "Die ersten Zeilen der Gewerbelaborstatistik (ganz in $DATA/gewerbelabor-2023.txt):"
head -n 6 "$DATA/gewerbelabor-2023.txt"
# The commercial-lab evaluation as its dialog prints and charts it.
"$VXSTAT" glab print --data "$DATA" --db "$DB" --pdf "$DATA/gewerbelabor-journal-2023.pdf"
"$VXSTAT" glab chart --data "$DATA" --db "$DB" --png "$DATA/gewerbelabor-grafik-2023.png"
# With a display, and not in CI, the demo ends in the statistics window on the
# demo database and its data folder.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  echo
  echo "Das Statistikfenster öffnet sich auf der Demo-Praxisdatenbank."
  "$VXSTAT" --db "$DB" --data "$DATA" ||
    echo "Das Statistikfenster wurde nicht gezeigt."
fi
