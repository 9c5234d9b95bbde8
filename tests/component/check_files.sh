#!/usr/bin/env bash
# ColumnPick.ocx is a DLL for its processor (PE32 for i386, PE32+ for x86-64), exports exactly
# the four entry points of a self-registering component and DllInstall under their plain names,
# imports only DLLs of the system (the compiler's libraries are inside it; ODBC32.dll carries
# the database object's engine, OLEACC.dll the screen readers' objects), and carries one type
# library, made for its own bitness (SYS_WIN32 or SYS_WIN64).
#   check_files.sh <ColumnPick.ocx> <i386|x86-64>
set -uo pipefail
ocx=$1
processor=$2
dump=$(x86_64-w64-mingw32-objdump -p "$ocx") || { echo "objdump cannot read $ocx"; exit 1; }
status=0

case $processor in
  i386) format=pei-i386 magic='010b\s+\(PE32\)' syskind=1 ;;
  x86-64) format=pei-x86-64 magic='020b\s+\(PE32\+\)' syskind=3 ;;
  *) echo "no such processor: $processor"; exit 2 ;;
esac
grep -qE "file format $format\$" <<<"$dump" || { echo "not a $format file"; status=1; }
grep -qE "^Magic\s+$magic" <<<"$dump" || { echo "its optional header is not $magic"; status=1; }

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
  grep -E '^\s+\[ *[0-9]+\] ' | awk '{print $NF}' | sort | tr '\n' ' ')
expected="DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer DllUnregisterServer "
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

# A type library begins with "MSFT" and its format's version 2.1; the low four bits of the
# flags at offset 20 are the platform it was made for.
found=$(python3 - "$ocx" <<'PYTHON'
import re, struct, sys
data = open(sys.argv[1], "rb").read()
places = [m.start() for m in re.finditer(rb"MSFT\x02\x00\x01\x00", data)]
print(" ".join(str(struct.unpack_from("<i", data, i + 20)[0] & 0xF) for i in places))
PYTHON
)
[[ $found == "$syskind" ]] || { echo "type libraries for platforms '$found', expected one for $syskind"; status=1; }

((status == 0)) && echo "a $format file with the expected exports, imports and type library"
exit $status
