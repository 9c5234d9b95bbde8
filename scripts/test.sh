#!/usr/bin/env bash
# Every test suite: the order of the folders' includes, the native unit and scenario tests, the
# same under AddressSanitizer and UndefinedBehaviorSanitizer, the scenario of two user-interface
# threads under ThreadSanitizer, each fuzz target for a short fixed time (CP_FUZZ_SECONDS, 20 s; scripts/fuzz.sh runs them
# longer), the Win32 suites under Wine + Xvfb, a project of its own that uses the installed C++
# package, natively and on Win32, and the component for 32-bit hosts in an emulated 32-bit
# Windows runtime. Ends with the line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."

# timed <step...>: runs one step and notes how long it took, for the table at the end.
times=()
timed() {
  local start=$SECONDS
  "$@"
  times+=("$(printf '%6d s  %s' $((SECONDS - start)) "$*")")
}

timed scripts/setup.sh

# ctest starts each build tree's private PostgreSQL server before the ODBC tests and stops it
# after them, even when they fail; should a run be cut short, none is left running either.
stop_servers() {
  local dir
  for dir in build/*/pg; do
    [[ -d $dir ]] && scripts/pg-server stop "$dir"
  done
}

passed=0
failed=0
failures=()

# fail <what>: counts one failure and keeps its name for the list printed before the counts, so
# that the end of the output says what failed even when only the end of it is shown.
fail() {
  echo "$1"
  failed=$((failed + 1))
  failures+=("$1")
}

# The gist of each failure's output (scripts/failure-digest), shown after the list of names.
digest=$(mktemp)
trap 'stop_servers; rm -f "$digest"' EXIT

# keep_gist <what> <log>: keeps the gist of a failed step's output under its name.
keep_gist() {
  { echo "=== $1"; scripts/failure-digest "$2"; } >>"$digest"
}

# run_ctest <preset> [wrapper...]: configure, build and run one preset, adding to the counts.
run_ctest() {
  local preset=$1
  shift
  echo "=== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j2; then
    fail "$preset: the build failed"
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
    local name
    while read -r name; do
      failures+=("$preset: $name")
    done < <(sed -n '/^The following tests FAILED:/,$s/^[[:space:]]*[0-9]* - //p' "$log")
    ((BASH_REMATCH[1] == 0)) || keep_gist "$preset" "$log"
  else
    fail "$preset: no test summary"
    keep_gist "$preset" "$log"
  fi
  rm -f "$log"
}

# bench_build: the benchmark programs still build. They are run by hand on a quiet machine
# (scripts/bench.sh, optimised); here they are only compiled, in the native tree whose objects
# are already built, so that a change of the code they drive cannot leave them broken.
bench_build() {
  echo "=== benchmarks build"
  if cmake --preset native -DCP_BENCHMARKS=ON >/dev/null &&
    cmake --build --preset native -j2 --target cp_benchmarks; then
    passed=$((passed + 1))
  else
    fail "benchmarks: the build failed"
  fi
}

# layer_check: no folder includes one that lies above it in the order of the libraries
# (scripts/check-layers), so that the libraries depend on each other in one direction only.
layer_check() {
  echo "=== layers"
  local report
  if report=$(scripts/check-layers); then
    tail -1 <<<"$report"
    passed=$((passed + 1))
  else
    echo "$report"
    fail "layers: a folder includes one above it"
  fi
}

# format_check: every C++ source of the project is clang-format clean.
format_check() {
  echo "=== clang-format"
  local bad
  bad=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -c 'violations' || true)
  if ((bad)); then
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | head -20
    fail "clang-format: $bad places differ"
  else
    passed=$((passed + 1))
  fi
}

# consumer_check <preset> [runner...]: installs the preset's build into a fresh prefix, then
# configures, builds and runs the consumer project (examples/consumer) against it, as another
# project uses the C++ package; the runner runs the program (Wine for the mingw build).
consumer_check() {
  local preset=$1
  shift
  echo "=== consumer of the $preset package"
  local prefix=$PWD/build/$preset-install
  local consumer=$PWD/build/consumer-$preset
  local program=$consumer/consumer
  local cross=()
  if [[ $preset == mingw ]]; then
    cross=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-toolchain.cmake")
    program+=.exe
  fi
  rm -rf "$prefix" "$consumer"
  local log
  log=$(mktemp)
  if {
    cmake --install "build/$preset" --prefix "$prefix" >/dev/null &&
      cmake -S examples/consumer -B "$consumer" -G Ninja "${cross[@]}" \
        -DCMAKE_PREFIX_PATH="$prefix" >/dev/null &&
      cmake --build "$consumer" &&
      timeout 300 "$@" "$program"
  } 2>&1 | tee "$log"; then
    passed=$((passed + 1))
  else
    fail "consumer of the $preset package: failed"
    keep_gist "consumer of the $preset package" "$log"
  fi
  rm -f "$log"
}

# run_at_dpi <dpi> <program>: one Win32 test program of the mingw build again, on a screen of
# <dpi> logical pixels per inch (scripts/wine-dpi), adding to the counts.
run_at_dpi() {
  local dpi=$1 program=$2
  echo "=== $program at $dpi DPI"
  local log
  log=$(mktemp)
  if scripts/wine-dpi "$dpi" scripts/with-display \
    ctest --preset mingw -R "^$program\$" --output-on-failure 2>&1 | tee "$log"; then
    passed=$((passed + 1))
  else
    fail "$program at $dpi DPI: failed"
    keep_gist "$program at $dpi DPI" "$log"
  fi
  rm -f "$log"
}

# x86_check: the component for 32-bit hosts. The mingw-x86 preset builds it and the container
# demo (only these: nothing runs the Win32 suites in 32 bits); the file is checked, and
# tests/component/run_x86.sh runs its cases in the emulated 32-bit Windows runtime, which it
# makes once and keeps in the build tree. Its cases add to the counts; without the Debian
# mirror to make the runtime from, they are skipped, not failed.
x86_check() {
  echo "=== mingw-x86"
  if ! cmake --preset mingw-x86 >/dev/null || ! cmake --build --preset mingw-x86 -j2; then
    fail "mingw-x86: the build failed"
    return
  fi
  local ocx=build/mingw-x86/component/ColumnPick.ocx
  if bash tests/component/check_files.sh "$ocx" i386; then
    passed=$((passed + 1))
  else
    fail "mingw-x86: the component's file"
  fi
  local log
  log=$(mktemp)
  bash tests/component/run_x86.sh build/mingw-x86/x86-runtime "$ocx" \
    build/mingw-x86/sample/container/cp_container_demo.exe 2>&1 | tee "$log"
  local summary
  summary=$(grep -E '^x86: [0-9]+ passed, [0-9]+ failed' "$log" | tail -1)
  if [[ $summary =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
    local name
    while read -r name; do
      failures+=("mingw-x86: $name")
    done < <(sed -n 's/^FAIL //p' "$log")
    ((BASH_REMATCH[2] == 0)) || keep_gist "mingw-x86" "$log"
  elif ! grep -q '^x86: skipped' "$log"; then
    fail "mingw-x86: no result from the 32-bit runtime"
    keep_gist "mingw-x86" "$log"
  fi
  rm -f "$log"
}

timed layer_check
timed format_check
timed run_ctest native
timed bench_build
timed run_ctest native-asan
timed run_ctest native-tsan
timed run_ctest fuzz
timed run_ctest mingw scripts/with-display
timed run_at_dpi 144 cp_scenarios_win32
timed consumer_check native
timed consumer_check mingw scripts/with-display scripts/wine-run
timed x86_check

echo "=== times"
printf '%s\n' "${times[@]}"
if ((${#failures[@]})); then
  cat "$digest"
  echo "=== failed"
  printf '%s\n' "${failures[@]}"
fi
echo "$passed passed, $failed failed"
((failed == 0))
