#!/usr/bin/env bash
# The long fuzz run: builds the fuzz targets (the `fuzz` preset) and runs each of them for the
# given number of seconds (default 1800), one after the other, from its committed seeds and the
# corpora that earlier runs left in build/fuzz. What a long run adds is kept apart, in
# build/fuzz/fuzz/long-corpus: the test command's short run reads every input of its own corpus
# before it fuzzes, and thousands of them would outlast its time limit. Prints the executions of
# each target; a finding stops that target and is kept in build/fuzz/fuzz/findings/ (add it to
# the target's seeds in fuzz/corpus/<target> once it is fixed). Ends with "N passed, N failed"
# over the targets.
#   scripts/fuzz.sh [seconds per target] [target...]
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

seconds=${1:-1800}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(ItemStringsFuzzer DispatchFuzzer PropertyBagFuzzer RuntimeFuzzer DatabaseFillFuzzer
           ServerModeFuzzer)
fi

cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 || exit 1

out=build/fuzz/fuzz
passed=0
failed=0
for t in "${targets[@]}"; do
  mkdir -p "$out/long-corpus/$t" "$out/corpus/$t" "$out/findings"
  log=$(mktemp)
  echo "=== $t: $seconds s"
  "$out/$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$t-" "$out/long-corpus/$t" "$out/corpus/$t" \
    "fuzz/corpus/$t" >"$log" 2>&1
  status=$?
  runs=$(grep -oP 'stat::number_of_executed_units: \K[0-9]+' "$log" | tail -1)
  rate=$(grep -oP 'stat::average_exec_per_sec: +\K[0-9]+' "$log" | tail -1)
  if ((status == 0)); then
    echo "$t: ${runs:-0} executions (${rate:-0}/s), no finding"
    passed=$((passed + 1))
  else
    grep -E '^\*\*\*|ERROR|SUMMARY|Test unit written' "$log" | head -8
    echo "$t: finding after ${runs:-?} executions"
    failed=$((failed + 1))
  fi
  rm -f "$log"
done
echo "$passed passed, $failed failed"
((failed == 0))
