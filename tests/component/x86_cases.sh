#!/bin/bash
# The 32-bit component in a 32-bit Windows runtime: runs inside the emulated machine of
# scripts/x86-runtime (a 32-bit Wine on Xvfb), from its job disk, which holds ColumnPick.ocx,
# the container demo and the scripts. Registers the component machine-wide and for the user
# with regsvr32 and reads the registry back; runs the README's script, a script that fills,
# selects by Value and reads error numbers, and the container demo (the control in place, typed
# into, its list open) under the machine-wide registration (Wine, unlike Windows, does not show
# the user's classes through HKEY_CLASSES_ROOT); and unregisters again. Prints "CASES n" first,
# then for each case "PASS name" or "FAIL name: why", and "TIME name seconds".
# Every Wine command has a time limit: a modal box of the control would wait for ever.
set -u
readonly OCX='Z:\job\ColumnPick.ocx'
readonly MACHINE='HKLM\Software\Classes\'
readonly USER='HKCU\Software\Classes\'
readonly LIMIT=180

echo "CASES 7"

# Wine's own processes stay up for all the cases: a program waiting on a pipe keeps them.
mkfifo /tmp/keeper
"$WINE" cmd.exe /c pause </tmp/keeper >/dev/null 2>&1 &
exec 7>/tmp/keeper
start=$SECONDS
timeout "$LIMIT" "$WINE" rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1
echo "TIME wine-start $((SECONDS - start))"

problems=()
# One line per case: a program's output in a problem must not start lines of its own.
problem() { problems+=("$(tr '\n' ' ' <<<"$*")"); }
# run_case <name> <function>: the function records what went wrong with `problem`.
run_case() {
  local name=$1 started=$SECONDS
  problems=()
  : >/tmp/stderr
  "$2"
  echo "TIME $name $((SECONDS - started))"
  if ((${#problems[@]})); then
    local IFS=';'
    echo "FAIL $name: ${problems[*]}"
    [[ -s /tmp/stderr ]] && echo "  error output: $(tail -c 600 /tmp/stderr | tr -d '\r' | tr '\n' ' ')"
  else
    echo "PASS $name"
  fi
}

# The last program's error output goes with a failed case.
wine_run() { timeout "$LIMIT" "$WINE" "$@" 2>/tmp/stderr | tr -d '\r'; }
regsvr32() {
  timeout "$LIMIT" "$WINE" regsvr32 /s "$@" >/dev/null 2>&1
  echo $?
}
# script <file> [argument...]: cscript's output.
script() { wine_run cscript //nologo "Z:\\job\\$1" "${@:2}"; }
# checked <script> [argument...]: a script of checks passed.
checked() {
  local output
  output=$(script "$@")
  ! grep -q '^FAIL' <<<"$output" || problem "$(grep '^FAIL' <<<"$output" | tr '\n' ' ')"
  grep -q 'all checks passed$' <<<"$output" || problem "$1 did not come to its end: $output"
}
# registry <registered under> [<gone from>...]: the registration as the registry holds it.
registry() { checked RegistryCheck.vbs "$OCX" win32 win64 "$@"; }

machine_registration() {
  [[ $(regsvr32 "$OCX") == 0 ]] || problem "regsvr32 failed"
  registry "$MACHINE" "$USER"
}

readme_script() {
  local output
  output=$(script ReadmeExample.vbs)
  [[ $(tail -n 1 <<<"$output") == "3 rows, picked Germany (DE)" ]] || problem "it printed: $output"
}

value_script() {
  checked ValueScript.vbs 'Z:\job\no-boxes.txt'
}

container_demo() {
  local output status
  output=$(timeout "$LIMIT" "$WINE" 'Z:\job\cp_container_demo.exe' 'Z:\job\container.bmp' 2>/tmp/stderr)
  status=$?
  output=${output//$'\r'/}
  ((status == 0)) || problem "exit status $status"
  [[ $output == "completed: yes, list open: yes, screenshot: Z:\\job\\container.bmp" ]] ||
    problem "it printed: $output"
}

machine_unregistration() {
  [[ $(regsvr32 /u "$OCX") == 0 ]] || problem "regsvr32 /u failed"
  registry - "$MACHINE"
}

user_registration() {
  [[ $(regsvr32 /n /i:user "$OCX") == 0 ]] || problem "regsvr32 /n /i:user failed"
  registry "$USER" "$MACHINE"
}

user_unregistration() {
  [[ $(regsvr32 /u /n /i:user "$OCX") == 0 ]] || problem "regsvr32 /u /n /i:user failed"
  registry - "$USER"
}

run_case machine-registration machine_registration
run_case readme-script readme_script
run_case value-script value_script
run_case container-demo container_demo
run_case machine-unregistration machine_unregistration
run_case user-registration user_registration
run_case user-unregistration user_unregistration

exec 7>&-
