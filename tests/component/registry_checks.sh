# Sourced by the registry checks: the Wine environment, the count of failed checks, regsvr32 and
# reg as the checks call them, and the comparison of reg query's lines.

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# regsvr32 silent, printing its exit code.
regsvr32() {
  timeout 120 "$WINE" regsvr32 /s "$@" >/dev/null 2>&1
  echo $?
}
# A key and everything below it, in the 64-bit view.
query() {
  timeout 60 "$WINE" reg query "$1" /s /reg:64 2>/dev/null | tr -d '\r'
}
exists() {
  timeout 60 "$WINE" reg query "$1" /reg:64 >/dev/null 2>&1
}
# The console's code page may not show a path's non-ASCII characters: lines are compared byte
# by byte.
expect_line() {
  local text=$1 pattern=$2
  LC_ALL=C grep -qE -- "$pattern" <<<"$text" || fail "no line matching '$pattern' in:"$'\n'"$text"
}
