' The checks that the component's watched scripts share; the script runner puts them in front
' of each script (Wine's script engine has no ExecuteGlobal to bring them in). A failed check
' prints a FAIL line; the scripting host reports no error by itself. The first argument of such
' a script is the log of the watching process that answers the control's message boxes: each
' box there is its caption, a line feed and its text, ended by U+001E.
Option Explicit
Dim failures, boxLog, boxesSeen
failures = 0
boxLog = WScript.Arguments(0)
boxesSeen = 0

Sub Fail(what)
    WScript.Echo "FAIL " & what
    failures = failures + 1
End Sub

Sub Check(what, actual, expected)
    If CStr(actual) <> CStr(expected) Then Fail what & ": got '" & actual & "', expected '" & expected & "'"
End Sub

Sub CheckNoError(what)
    If Err.Number <> 0 Then Fail what & ": error " & Err.Number & " " & Err.Description
    Err.Clear
End Sub

Sub CheckError(what, number, description)
    Check what & " number", Err.Number, number
    Check what & " description", Err.Description, description
    Err.Clear
End Sub

' The boxes that the watcher has answered so far.
Function AnsweredBoxes()
    Dim fso, stream, text
    Set fso = CreateObject("Scripting.FileSystemObject")
    text = ""
    If fso.FileExists(boxLog) Then
        ' UTF-16, read in pieces: Wine's ReadAll fails on such a file.
        Set stream = fso.OpenTextFile(boxLog, 1, False, -1)
        Do While Not stream.AtEndOfStream
            text = text & stream.Read(4096)
        Loop
        stream.Close
    End If
    AnsweredBoxes = Split(text, Chr(30))
End Function

' The next box since the last call, as caption, line feed and text; "" when none came.
Function NextBox()
    Dim boxes
    boxes = AnsweredBoxes()
    NextBox = ""
    If UBound(boxes) > boxesSeen Then
        NextBox = boxes(boxesSeen)
        boxesSeen = boxesSeen + 1
    End If
End Function

' One error report of the fills was shown, with this message, number and description.
Sub CheckReport(what, message, number, description)
    Check what & ": error report", NextBox(), "ColumnPick - FillComboBoxMultiColumn" & vbLf & _
        message & vbCrLf & vbCrLf & "Error " & number & ": " & description
End Sub

Sub CheckNoReport(what)
    Dim box
    box = NextBox()
    If box <> "" Then Fail what & ": a box was shown: " & box
End Sub

Sub Finish(name)
    Dim box
    box = NextBox()
    If box <> "" Then Fail "a box that no check expected: " & box
    If failures = 0 Then WScript.Echo name & ": all checks passed"
End Sub

' The same for a description whose end the database writes: it starts with `start` and holds
' `part` somewhere after it.
Sub CheckReportPart(what, message, number, start, part)
    Dim box, head
    box = NextBox()
    head = "ColumnPick - FillComboBoxMultiColumn" & vbLf & message & vbCrLf & vbCrLf & _
        "Error " & number & ": " & start
    If Left(box, Len(head)) <> head Or InStr(Len(head) + 1, box, part) = 0 Then
        Fail what & ": error report '" & box & "' does not start with '" & head & "' and hold '" & part & "'"
    End If
End Sub
