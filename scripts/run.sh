#!/usr/bin/env bash
# The main job: builds the sample program for Win32 and runs it under Wine.
#
#   scripts/run.sh           with a usable X display ($DISPLAY): opens the sample's form for a
#                            person to use; without one: plays the demo session (as --demo)
#   scripts/run.sh --demo    plays a short session by itself on a private display and writes a
#                            screenshot of every step (PNG) and the events (events.log) into
#                            out/sample/
#
# Either way a private PostgreSQL server with the ISO tables runs beside the sample, which
# fills its country and currency lists from it; it stops when the sample ends.
# The main job also builds the ActiveX component ColumnPick.ocx; the demo then hosts it in a C++
# container, types a prefix, opens its list and saves out/sample/container.png, then shows the
# control's property page in the system's property frame and saves out/sample/property-page.png.
set -euo pipefail
cd "$(dirname "$0")/.."

demo=false
case "${1:-}" in
  --demo) demo=true ;;
  "") ;;
  *) echo "usage: scripts/run.sh [--demo]" >&2; exit 2 ;;
esac

scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target cp_sample ColumnPick cp_container_demo
sample=build/mingw/sample/cp_sample.exe
component=build/mingw/component/ColumnPick.ocx
echo "The component: $PWD/$component"

server=$PWD/build/mingw/pg-sample
trap 'scripts/pg-server stop "$server"' EXIT
CP_SAMPLE_SERVER=$(scripts/pg-server start "$server")
python3 data/sample/make_iso_database.py --sql --output "$server/iso.sql" >/dev/null
psql -q -h "$server/socket" -U postgres -d columnpick -v ON_ERROR_STOP=1 -f "$server/iso.sql" \
  >/dev/null
export CP_SAMPLE_SERVER

if ! $demo && [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  echo "Opening the sample on $DISPLAY; close its window to end."
  scripts/with-display scripts/wine-run "$sample"
  exit
fi

out=$PWD/out/sample
rm -rf "$out"
mkdir -p "$out"
# The demo plays on a private display, whatever $DISPLAY says, so that nobody's pointer
# interferes with it.
status=0
env -u DISPLAY timeout 600 scripts/with-display scripts/wine-run "$sample" --demo "Z:$out" ||
  status=$?
# The same session on a screen of 144 pixels per inch (150%), for its screenshots. The form
# grows with the density, and a screen that dense is larger too.
mkdir -p "$out/144dpi"
env -u DISPLAY CP_SCREEN_SIZE=1600x1200 timeout 600 scripts/wine-dpi 144 scripts/with-display \
  scripts/wine-run "$sample" --demo "Z:$out/144dpi" || status=$?
# The component in a container, with its list open, and its property page.
env -u DISPLAY timeout 300 scripts/with-display bash sample/container/run_demo.sh "$component" \
  build/mingw/sample/container/cp_container_demo.exe "$out/container.bmp" \
  "$out/property-page.bmp" || status=$?
for bmp in "$out"/*.bmp "$out"/144dpi/*.bmp; do
  [[ -e $bmp ]] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo
echo "Screenshots: $out/*.png (at 144 DPI: $out/144dpi/*.png)"
echo "Events:      $out/events.log"
if ((status != 0)); then
  echo "The demo session did not go as expected (exit status $status); see the log."
fi
exit $status
