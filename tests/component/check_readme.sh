#!/usr/bin/env bash
# The README shows each example file whole, as it is in the tree (and so as the tests run it).
#   check_readme.sh <README.md> <example>...
set -uo pipefail
readme=$1
shift
status=0
for example in "$@"; do
  if ! python3 - "$readme" "$example" <<'PY'; then
import pathlib, sys
readme = pathlib.Path(sys.argv[1]).read_text(encoding="utf-8")
example = pathlib.Path(sys.argv[2]).read_text(encoding="utf-8")
sys.exit(0 if example in readme else 1)
PY
    echo "$readme does not show $example as it is"
    status=1
  fi
done
exit $status
