#!/usr/bin/env bash
# Registers ColumnPick.ocx, runs the container demo, and unregisters the component again.
#   run_demo.sh <ColumnPick.ocx> <cp_container_demo.exe> <screenshot.bmp> [<property-page.bmp>]
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env"
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }
"$WINE" regsvr32 /s "$(winpath "$1")" || { echo "regsvr32 failed"; exit 1; }
if (($# > 3)); then
  timeout 120 "$WINE" "$2" "$(winpath "$3")" "$(winpath "$4")"
else
  timeout 120 "$WINE" "$2" "$(winpath "$3")"
fi
status=$?
"$WINE" regsvr32 /s /u "$(winpath "$1")"
exit $status
