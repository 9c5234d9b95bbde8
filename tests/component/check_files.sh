#!/usr/bin/env bash
# ColumnPick.ocx exports exactly the four entry points of a self-registering component and
# imports only DLLs of the system (the compiler's libraries are inside it; ODBC32.dll carries the
# database object's engine, OLEACC.dll the screen readers' objects).
#   check_files.sh <ColumnPick.ocx>
set -uo pipefail
ocx=$1
dump=$(x86_64-w64-mingw32-objdump -p "$ocx") || { echo "objdump cannot read $ocx"; exit 1; }

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
  grep -E '^\s+\[ *[0-9]+\] ' | awk '{print $NF}' | sort | tr '\n' ' ')
expected="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
status=0
if [[ $exports != "$expected" ]]; then
  echo "exports: '$exports', expected '$expected'"
  status=1
fi

system="ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll ODBC32.dll OLEACC.dll ole32.dll OLEAUT32.dll
  USER32.dll"
while read -r dll; do
  grep -qiw -- "$dll" <<<"$system" || { echo "imports $dll, which is no system DLL"; status=1; }
done < <(grep -oE 'DLL Name: .*' <<<"$dump" | cut -d' ' -f3)

grep -q 'DLL Name: ole32.dll' <<<"$dump" || { echo "ole32.dll is not imported"; status=1; }
((status == 0)) && echo "exports and imports as expected"
exit $status
