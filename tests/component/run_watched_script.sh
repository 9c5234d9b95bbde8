#!/usr/bin/env bash
# Runs a VBScript as run_script.sh does, while a watching process answers the message boxes
# that the control shows (its error reports) and writes down their texts for the script to
# check. The script runs after the checks of ScriptChecks.vbs, which are put in front of it, and
# gets the log's path as its first argument, then the arguments given here. It passes when it
# prints no FAIL line and ends with "...: all checks passed".
#   run_watched_script.sh <ColumnPick.ocx> <cp_box_watcher.exe> <script.vbs> [argument...]
set -uo pipefail
ocx=$1
watcher=$2
script=$3
shift 3
here=$(dirname "$0")
source "$here/../../scripts/wine-env"

work=$(mktemp -d)
log=$work/boxes.txt
cat "$here/ScriptChecks.vbs" "$script" >"$work/script.vbs"
"$WINE" "Z:$(tr / '\\' <<<"$watcher")" "Z:$(tr / '\\' <<<"$log")" &
watching=$!
bash "$here/run_script.sh" "$ocx" "$work/script.vbs" "" "$log" "$@"
status=$?
# The watcher ends once it sees the stop file.
touch "$log.stop"
wait "$watching"
rm -rf "$work"
exit $status
