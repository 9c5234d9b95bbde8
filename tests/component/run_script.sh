#!/usr/bin/env bash
# Runs a VBScript under wine cscript with ColumnPick.ocx registered for the run. The script
# passes when it prints no FAIL line and ends with its closing line: the one given, or else
# "...: all checks passed". Arguments after the closing line go to the script, each absolute
# host path as its Windows path.
#   run_script.sh <ColumnPick.ocx> <script.vbs> [closing line [argument...]]
set -uo pipefail
ocx=$1
script=$2
closing=${3:-}
shift $(($# < 3 ? $# : 3))
source "$(dirname "$0")/../../scripts/wine-env"
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }
arguments=()
for argument in "$@"; do
  [[ $argument == /* ]] && argument=$(winpath "$argument")
  arguments+=("$argument")
done

"$WINE" regsvr32 /s "$(winpath "$ocx")" || { echo "regsvr32 failed"; exit 1; }
output=$(timeout 120 "$WINE" cscript //nologo "$(winpath "$script")" "${arguments[@]}" 2>&1 | tr -d '\r')
"$WINE" regsvr32 /s /u "$(winpath "$ocx")"
echo "$output"
grep -q '^FAIL' <<<"$output" && exit 1
if [[ -n $closing ]]; then
  [[ $(tail -n 1 <<<"$output") == "$closing" ]] || { echo "expected the line: $closing"; exit 1; }
else
  grep -q ': all checks passed$' <<<"$output" || { echo "the script did not come to its end"; exit 1; }
fi
