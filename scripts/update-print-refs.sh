#!/usr/bin/env bash
# Writes the reference copies of the print-variable files under tests/data/print
# (the lab-turnover list and ranking, the commercial-lab journal) anew from the
# current print, after a deliberate change of the printed layout:
#   scripts/update-print-refs.sh [BUILD]
# Check the changes with "git diff tests/data/print" before committing them.
set -euo pipefail
BUILD=${1:-build}
cmake --build "$BUILD" --target test_print test_glab_dialog
VXSTAT_UPDATE_PRINT_REFS=1 QT_QPA_PLATFORM=offscreen "$BUILD/bin/test_print"
VXSTAT_UPDATE_PRINT_REFS=1 QT_QPA_PLATFORM=offscreen "$BUILD/bin/test_glab_dialog" \
  --gtest_filter='GlabPrintTest.*'
