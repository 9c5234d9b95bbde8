#!/usr/bin/env bash
# wine regsvr32 registers ColumnPick.ocx from a folder whose path has spaces and non-ASCII
# characters, the registry holds every fact of the registration (read back with reg query),
# a script then creates the control from there, and regsvr32 /u leaves nothing behind, the
# class's component categories with its key (twice in a row: a component that is not
# registered unregisters quietly), but for the programmatic identifiers while the component of
# the other bitness is registered too. regsvr32's exit codes: 0 done, 3 cannot load the file, 4 no
# entry point.
#   check_registry.sh <ColumnPick.ocx> <work folder>
set -uo pipefail
ocx=$1
work=$2
source "$(dirname "$0")/registry_checks.sh"

clsid='{B10DFE5A-7887-11D5-9980-00C0A836120A}'
libid='{B10DFE52-7887-11D5-9980-00C0A836120A}'
iids=('{53AFD7C6-2567-11D6-9982-00C0A836120A}' '{53AFD7C9-2567-11D6-9982-00C0A836120A}'
  '{CFB9D401-7FD7-4013-BB77-86AAE73BCE93}' '{A74C1BA7-F900-4041-82B7-C996007CE838}')
progid=ColumnPick.ColumnPick
# The component's database object, an ordinary creatable class.
database_clsid='{E99C921C-83A6-4BC3-A70B-A6EDD116C963}'
database_progid=ColumnPick.Database
# The control's property page, created by the frames that show it.
page_clsid='{EB4D7EC8-576B-4DD5-A863-43EE8E071504}'

folder="$work/Colonne Pické 列"
rm -rf "$work"
mkdir -p "$folder"
cp "$ocx" "$folder/ColumnPick.ocx"
winpath="Z:$(tr / '\\' <<<"$folder")\\ColumnPick.ocx"

[[ $(regsvr32 "$winpath") == 0 ]] || fail "regsvr32 did not register $winpath"

class=$(query "HKCR\\CLSID\\$clsid")
expect_line "$class" "^HKEY_CLASSES_ROOT\\\\CLSID\\\\$clsid\\\\Control$"
expect_line "$class" "InprocServer32$"
expect_line "$class" "^ +\(Default\) +REG_SZ +Z:.*Colonne Pick.*ColumnPick\.ocx$"
expect_line "$class" "^ +ThreadingModel +REG_SZ +Apartment$"
expect_line "$class" "^ +\(Default\) +REG_SZ +131473$"
expect_line "$class" "^ +\(Default\) +REG_SZ +$progid$"
expect_line "$class" "^ +\(Default\) +REG_SZ +Z:.*ColumnPick\.ocx, 30000$"
expect_line "$class" "^ +\(Default\) +REG_SZ +\\$libid$"
expect_line "$class" "^ +\(Default\) +REG_SZ +28\.0$"
# The control's component categories: a control, safe for scripting and for initialization.
for catid in 40FC6ED4-2438-11CF-A3DB-080036F12502 7DD95801-9882-11CF-9FA9-00AA006C42C4 \
  7DD95802-9882-11CF-9FA9-00AA006C42C4; do
  expect_line "$class" "Implemented Categories\\\\\\{$catid\\}$"
done
expect_line "$(query "HKCR\\$progid")" "^ +\(Default\) +REG_SZ +\\$clsid$"
database=$(query "HKCR\\CLSID\\$database_clsid")
expect_line "$database" "^ +\(Default\) +REG_SZ +Z:.*Colonne Pick.*ColumnPick\.ocx$"
expect_line "$database" "^ +ThreadingModel +REG_SZ +Apartment$"
expect_line "$database" "^ +\(Default\) +REG_SZ +$database_progid$"
expect_line "$database" "^ +\(Default\) +REG_SZ +\\$libid$"
! grep -q "Implemented Categories" <<<"$database" ||
  fail "the database object, which opens files, is in the control's safe categories"
expect_line "$(query "HKCR\\$database_progid")" "^ +\(Default\) +REG_SZ +\\$database_clsid$"
page=$(query "HKCR\\CLSID\\$page_clsid")
expect_line "$page" "^ +\(Default\) +REG_SZ +Z:.*Colonne Pick.*ColumnPick\.ocx$"
expect_line "$page" "^ +ThreadingModel +REG_SZ +Apartment$"
library=$(query "HKCR\\TypeLib\\$libid\\28.0")
expect_line "$library" "^ +\(Default\) +REG_SZ +DAvevaVav multi column with after update event$"
expect_line "$library" "\\\\28\.0\\\\0\\\\win64$"
for iid in "${iids[@]}"; do
  expect_line "$(query "HKCR\\Interface\\$iid")" "^ +Version +REG_SZ +28\.0$"
done

# The registered path, spaces and all, is where COM loads the control from.
script="$work/create.vbs"
printf 'Set c = CreateObject("%s")\r\nSet d = CreateObject("%s")\r\nWScript.Echo "created " & c.ListCount & " " & TypeName(d)\r\n' \
  "$progid" "$database_progid" >"$script"
created=$(timeout 60 "$WINE" cscript //nologo "Z:$(tr / '\\' <<<"$script")" 2>&1 | tr -d '\r')
[[ $created == "created 0 _Database" ]] || fail "the script could not create the objects: $created"

# The component of the other bitness registered beside this one: unregistering this one leaves
# it the programmatic identifiers, which the two bitnesses share, and the last to go takes them.
other=("HKCR\\CLSID\\$clsid\\InprocServer32" "HKCR\\CLSID\\$database_clsid\\InprocServer32")
for key in "${other[@]}"; do
  timeout 60 "$WINE" reg add "$key" /f /reg:32 >/dev/null 2>&1 || fail "could not add $key"
done
[[ $(regsvr32 /u "$winpath") == 0 ]] || fail "regsvr32 /u beside the other bitness failed"
for key in "HKCR\\$progid" "HKCR\\$database_progid"; do
  exists "$key" || fail "$key went while the other bitness still uses it"
done
! exists "HKCR\\CLSID\\$clsid" || fail "the class is still there after unregistering"
for key in "${other[@]}"; do
  timeout 60 "$WINE" reg delete "${key%\\InprocServer32}" /f /reg:32 >/dev/null 2>&1
done

[[ $(regsvr32 /u "$winpath") == 0 ]] || fail "regsvr32 /u did not unregister"
keys=("HKCR\\CLSID\\$clsid" "HKCR\\$progid" "HKCR\\TypeLib\\$libid" "HKCR\\CLSID\\$database_clsid"
  "HKCR\\$database_progid" "HKCR\\CLSID\\$page_clsid")
for iid in "${iids[@]}"; do keys+=("HKCR\\Interface\\$iid"); done
for key in "${keys[@]}"; do
  ! exists "$key" || fail "$key is still there after unregistering"
done
[[ $(regsvr32 /u "$winpath") == 0 ]] || fail "unregistering a second time failed"

[[ $(regsvr32 "Z:$(tr / '\\' <<<"$folder")\\missing.ocx") == 3 ]] ||
  fail "a missing file does not give exit code 3"
[[ $(regsvr32 'C:\windows\system32\kernel32.dll') == 4 ]] ||
  fail "a DLL without DllRegisterServer does not give exit code 4"

rm -rf "$work"
if ((failures)); then
  echo "$failures registry checks failed"
  exit 1
fi
echo "registration and unregistration as expected"
