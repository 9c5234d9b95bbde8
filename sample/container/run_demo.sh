#!/usr/bin/env bash
# Registers ColumnPick.ocx, runs the container demo, and unregisters the component again.
#   run_demo.sh <ColumnPick.ocx> <cp_container_demo.exe> <screenshot.bmp>
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env"
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }
"$WINE" regsvr32 /s "$(winpath "$1")" || { echo "regsvr32 failed"; exit 1; }
timeout 120 "$WINE" "$2" "$(winpath "$3")"
status=$?
"$WINE" regsvr32 /s /u "$(winpath "$1")"
exit $status
