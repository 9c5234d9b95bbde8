#!/usr/bin/env bash
# Runs a host program of the component's tests in a process of its own, with ColumnPick.ocx
# registered for the run and Wine's heap checks on: the run passes when the program ends well
# and Wine reports no block freed twice or not of its heap, up to the process's very end.
#   run_exit_host.sh <ColumnPick.ocx> <host.exe>
set -uo pipefail
ocx=$1
host=$2
source "$(dirname "$0")/../../scripts/wine-env"
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }

"$WINE" regsvr32 /s "$(winpath "$ocx")" || { echo "regsvr32 failed"; exit 1; }
output=$(WINEDEBUG=warn+heap timeout 120 "$WINE" "$(winpath "$host")" 2>&1 | tr -d '\r')
status=$?
"$WINE" regsvr32 /s /u "$(winpath "$ocx")"
echo "$output" | grep -v ':fixme:'
((status == 0)) || { echo "the host ended with $status"; exit 1; }
if grep -q -E 'warn:heap|err:heap' <<<"$output"; then
  echo "the heap was damaged"
  exit 1
fi
