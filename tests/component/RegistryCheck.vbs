' The component's registration read back from the registry, in one process (each reg query
' costs seconds in an emulated machine): registered under one hive's classes, with the type
' library under its platform and not under the other one, and gone from the other classes named:
'   cscript RegistryCheck.vbs <file> <platform> <other platform> <registered under> [<gone from>...]
' Classes are HKLM\Software\Classes\ or HKCU\Software\Classes\; "-" registered under none.
' Prints a FAIL line for every difference and ends with "RegistryCheck: all checks passed".
Option Explicit
Const CLSID = "{B10DFE5A-7887-11D5-9980-00C0A836120A}"
Const PROGID = "ColumnPick.ColumnPick"
Dim shell, classes, failures, arguments, i
Set shell = CreateObject("WScript.Shell")
Set arguments = WScript.Arguments
failures = 0

Sub Fail(what)
    WScript.Echo "FAIL " & what
    failures = failures + 1
End Sub

' The value at key\name ("" for the default value); Empty when the registry has none.
Function Value(path)
    On Error Resume Next
    Value = shell.RegRead(classes & path)
    If Err.Number <> 0 Then Value = Empty
    Err.Clear
End Function

Sub CheckValue(path, expected)
    Dim actual
    actual = Value(path)
    If IsEmpty(actual) Then
        Fail classes & path & " is missing"
    ElseIf CStr(actual) <> expected Then
        Fail classes & path & ": got '" & actual & "', expected '" & expected & "'"
    End If
End Sub

Sub CheckMissing(path)
    If Not IsEmpty(Value(path)) Then Fail classes & path & " is there"
End Sub

Const LIBRARY = "TypeLib\{B10DFE52-7887-11D5-9980-00C0A836120A}\28.0\"
classes = arguments(3)
If classes <> "-" Then
    CheckValue "CLSID\" & CLSID & "\", "ColumnPick"
    CheckValue "CLSID\" & CLSID & "\InprocServer32\", arguments(0)
    CheckValue "CLSID\" & CLSID & "\InprocServer32\ThreadingModel", "Apartment"
    CheckValue "CLSID\" & CLSID & "\Control\", ""
    CheckValue "CLSID\" & CLSID & "\MiscStatus\", "131473"
    CheckValue "CLSID\" & CLSID & "\ProgID\", PROGID
    CheckValue PROGID & "\CLSID\", CLSID
    CheckValue LIBRARY, "DAvevaVav multi column with after update event"
    CheckValue LIBRARY & "0\" & arguments(1) & "\", arguments(0)
    CheckMissing LIBRARY & "0\" & arguments(2) & "\"
End If
For i = 4 To arguments.Count - 1
    classes = arguments(i)
    CheckMissing "CLSID\" & CLSID & "\"
    CheckMissing PROGID & "\"
    CheckMissing LIBRARY
Next
If failures = 0 Then WScript.Echo "RegistryCheck: all checks passed"
