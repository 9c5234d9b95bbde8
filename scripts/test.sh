#!/usr/bin/env bash
# Every test suite: the native unit and scenario tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, each fuzz target for a short fixed time (CP_FUZZ_SECONDS, 20 s;
# scripts/fuzz.sh runs them longer), and the Win32 suites under Wine + Xvfb. Ends with the line
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

passed=0
failed=0

# run_ctest <preset> [wrapper...]: configure, build and run one preset, adding to the counts.
run_ctest() {
  local preset=$1
  shift
  echo "=== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j2; then
    echo "$preset: the build failed"
    failed=$((failed + 1))
    return
  fi
  local log
  log=$(mktemp)
  "$@" ctest --preset "$preset" --output-on-failure 2>&1 | tee "$log"
  local summary
  summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -1)
  if [[ $summary =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    echo "$preset: no test summary"
    failed=$((failed + 1))
  fi
  rm -f "$log"
}

# format_check: every C++ source of the project is clang-format clean.
format_check() {
  echo "=== clang-format"
  local bad
  bad=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -c 'violations' || true)
  if ((bad)); then
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | head -20
    echo "clang-format: $bad places differ"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
}

format_check
run_ctest native
run_ctest native-asan
run_ctest fuzz
run_ctest mingw scripts/with-display

echo "$passed passed, $failed failed"
((failed == 0))
