#!/usr/bin/env bash
# The 32-bit component in a 32-bit Windows runtime (scripts/x86-runtime, an emulated i386
# machine with a 32-bit Wine), all cases of x86_cases.sh in one boot. The runtime is made once
# and kept in <cache>; the container demo's screenshot is left there too. Prints each case as
# "PASS name" or "FAIL name: why" with its time, and ends with "x86: N passed, N failed"; when
# the runtime cannot be made because the Debian mirror is out of reach, it says so and ends
# with "x86: skipped" (exit status 0).
#   run_x86.sh <cache> <ColumnPick.ocx> <cp_container_demo.exe>
set -uo pipefail
cache=$1
ocx=$2
demo=$3
here=$(cd "$(dirname "$0")" && pwd)
runtime=$here/../../scripts/x86-runtime

start=$SECONDS
"$runtime" prepare "$cache"
status=$?
if ((status == 2)); then
  echo "x86: skipped: the 32-bit Windows runtime cannot be made without the Debian mirror"
  exit 0
fi
if ((status != 0)); then
  echo "x86: 0 passed, 1 failed (the 32-bit Windows runtime could not be made)"
  exit 1
fi
echo "x86: runtime ready in $((SECONDS - start)) s"

job=$(mktemp -d)
trap 'rm -rf "$job"' EXIT
cp "$ocx" "$job/ColumnPick.ocx"
cp "$demo" "$job/cp_container_demo.exe"
cp "$here/ReadmeExample.vbs" "$here/RegistryCheck.vbs" "$job/"
cat "$here/ScriptChecks.vbs" "$here/ScriptTest.vbs" >"$job/ValueScript.vbs"
cp "$here/x86_cases.sh" "$job/job.sh"
console=$cache/console.log
start=$SECONDS
"$runtime" run "$cache" "$job" "$console"
echo "x86: boot and cases in $((SECONDS - start)) s"
debugfs -R "dump /container.bmp $cache/container.bmp" "$cache/job.img" >/dev/null 2>&1

tr -d '\r' <"$console" | grep -E '^(PASS|FAIL|TIME|  error output:) '
cases=$(tr -d '\r' <"$console" | sed -n 's/^CASES \([0-9]*\)$/\1/p')
passed=$(tr -d '\r' <"$console" | grep -c '^PASS ')
failed=$(tr -d '\r' <"$console" | grep -c '^FAIL ')
# Cases that never reported (the machine stopped early) count as failed.
if ((passed + failed < ${cases:-1})); then
  echo "FAIL the run ended before all cases; the console:"
  tail -n 30 "$console"
  failed=$((${cases:-1} - passed))
fi
echo "x86: $passed passed, $failed failed"
((failed == 0))
