#!/usr/bin/env bash
# regsvr32 /n /i:user registers ColumnPick.ocx for the current user alone: everything goes
# under HKCU\Software\Classes (read back with reg query) and nothing into the machine's
# classes; regsvr32 /u /n /i:user removes it again, but leaves a type library registration of
# the other bitness under the same version; a command line that DllInstall does not know
# fails and writes nothing.
#   check_user_registry.sh <ColumnPick.ocx> <work folder>
set -uo pipefail
ocx=$1
work=$2
source "$(dirname "$0")/registry_checks.sh"

clsid='{B10DFE5A-7887-11D5-9980-00C0A836120A}'
libid='{B10DFE52-7887-11D5-9980-00C0A836120A}'
iid='{53AFD7C6-2567-11D6-9982-00C0A836120A}'
progid=ColumnPick.ColumnPick
database_progid=ColumnPick.Database
user='HKCU\Software\Classes'
machine='HKLM\Software\Classes'

rm -rf "$work"
mkdir -p "$work"
cp "$ocx" "$work/ColumnPick.ocx"
winpath="Z:$(tr / '\\' <<<"$work")\\ColumnPick.ocx"

[[ $(regsvr32 /n /i:user "$winpath") == 0 ]] || fail "regsvr32 /n /i:user did not register"
class=$(query "$user\\CLSID\\$clsid")
expect_line "$class" "^HKEY_CURRENT_USER\\\\Software\\\\Classes\\\\CLSID\\\\$clsid\\\\Control$"
expect_line "$class" "^ +\(Default\) +REG_SZ +Z:.*ColumnPick\.ocx$"
expect_line "$class" "^ +\(Default\) +REG_SZ +131473$"
expect_line "$(query "$user\\$progid")" "^ +\(Default\) +REG_SZ +\\$clsid$"
expect_line "$(query "$user\\$database_progid")" "^ +\(Default\) +REG_SZ +\{"
expect_line "$(query "$user\\TypeLib\\$libid")" "\\\\28\.0\\\\0\\\\win64$"
expect_line "$(query "$user\\Interface\\$iid")" "^ +Version +REG_SZ +28\.0$"
for key in "$machine\\CLSID\\$clsid" "$machine\\$progid" "$machine\\TypeLib\\$libid"; do
  ! exists "$key" || fail "$key was written by the user's registration"
done

# The 32-bit file's registration shares the type library's version key.
other="$user\\TypeLib\\$libid\\28.0\\0\\win32"
timeout 60 "$WINE" reg add "$other" /ve /d 'C:\x86\ColumnPick.ocx' /f /reg:64 >/dev/null 2>&1
[[ $(regsvr32 /u /n /i:user "$winpath") == 0 ]] || fail "regsvr32 /u /n /i:user did not unregister"
for key in "$user\\CLSID\\$clsid" "$user\\$progid" "$user\\$database_progid" \
  "$user\\Interface\\$iid" "$user\\TypeLib\\$libid\\28.0\\0\\win64"; do
  ! exists "$key" || fail "$key is still there after unregistering"
done
exists "$other" || fail "unregistering removed the other bitness's type library"
timeout 60 "$WINE" reg delete "$user\\TypeLib\\$libid" /f /reg:64 >/dev/null 2>&1
[[ $(regsvr32 /u /n /i:user "$winpath") == 0 ]] || fail "unregistering a second time failed"

[[ $(regsvr32 /n /i:everyone "$winpath") != 0 ]] || fail "an unknown command line succeeded"
! exists "$user\\CLSID\\$clsid" || fail "an unknown command line wrote the class"

rm -rf "$work"
if ((failures)); then
  echo "$failures checks of the user's registration failed"
  exit 1
fi
echo "the user's registration and unregistration as expected"
