#!/usr/bin/env bash
# The demo: a fresh demo practice database, its settings and a few lab invoices.
set -euo pipefail
VXSTAT=$1
DB=$2
rm -f "$DB"
"$VXSTAT" demo-db "$DB" --invoices 5000 --seed 1
echo
"$VXSTAT" settings --db "$DB"
echo
"$VXSTAT" lu sample --db "$DB" --count 8
