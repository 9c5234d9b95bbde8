' The control from a script, as a scripting host uses it: created by its program identifier,
' filled, read and set, and its failures reported through Err. The host reports no error by
' itself (cscript ends quietly), so every step checks Err and the last line says that the
' script came to its end.
'   cscript ScriptTest.vbs <box log>
Dim c

On Error Resume Next
Set c = CreateObject("ColumnPick.ColumnPick")
CheckNoError "CreateObject"
Check "TypeName", TypeName(c), "_ColumnPick"

c.ColumnCount = 3
c.ColumnWidths = "600;1200;0"
c.AddList "DE;Germany;276;FR;France;250"
CheckNoError "AddList"
c.AddItem "IT;Italy;380"
CheckNoError "AddItem"
Check "ListCount", c.ListCount, 3
Check "a member named in any case", c.LISTCOUNT, 3
Check "no selection", c.ListIndex, -1
Check "Value without a row is Null", IsNull(c.Value), True

c.Value = "FR"
CheckNoError "Value write"
Check "ListIndex after Value", c.ListIndex, 1
Check "Column(1)", c.Column(1), "France"
Check "Column(2)", c.Column(2), "250"
Check "default member", c, "FR"
Check "Text", c.Text, "FR"

c.ListIndex = 2
CheckNoError "ListIndex write"
Check "Value after ListIndex", c.Value, "IT"
c.BoundColumn = 2
Check "Value of the bound column", c.Value, "380"
c.BoundColumn = 0

' Failures reported to the caller, with their numbers and the runtime's descriptions.
c.ListIndex = 99
Check "the source of an error", Err.Source, "ColumnPick.ColumnPick"
CheckError "ListIndex beyond the rows", 380, "Invalid property value"
Check "ListIndex kept", c.ListIndex, 2
c.Appearance = 300
CheckError "Appearance beyond a Byte", 6, "Overflow"
Check "Appearance kept", c.Appearance, 2
c.BoundColumn = 5
c.Value = "DE"
CheckError "Value with a bound column beyond the table", 9, "Subscript out of range"
c.BoundColumn = 0
c.ListRows = "many"
CheckError "ListRows that is no number", 13, "Type mismatch"
Check "ListRows kept", c.ListRows, 8
Dim widths
widths = c.ColumnWidths
CheckError "reading the write-only ColumnWidths", 438, "Object doesn't support this property or method"
widths = c.NoSuchMember
CheckError "an unknown member", 438, "Object doesn't support this property or method"

c.Clear
CheckNoError "Clear"
Check "ListCount after Clear", c.ListCount, 0

Finish "ScriptTest"
