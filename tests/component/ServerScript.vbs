' A list in server mode over the sample SQLite file, connected by a script through the
' component's own database object: the rows stay in the file and are read a page at a time,
' the members that need the rows in memory refuse, and a fill ends server mode.
'   cscript ServerScript.vbs <box log> <SQLite file>
Dim c, db

Const kCountries = "SELECT name, code, numeric FROM countries"
Const kRefusal = " cannot be used while the list shows the rows of a database server; fill the list first."

On Error Resume Next
Set c = CreateObject("ColumnPick.ColumnPick")
c.ColumnCount = 3
c.ColumnWidths = "1500;600;600"
c.BoundColumn = 1
Set db = CreateObject("ColumnPick.Database")
db.OpenFile WScript.Arguments(1)
CheckNoError "OpenFile"

c.ConnectComboBoxMultiColumn db, kCountries, "code"
CheckNoError "ConnectComboBoxMultiColumn"
CheckNoReport "connected"
Check "ListCount", c.ListCount, 249
Check "no row is current", c.ListIndex, -1
c.ListIndex = 0
Check "the first row in the order of the names", c.Column(0), "Afghanistan"
Check "its code", c.Value, "AF"
c.ListIndex = 248
Check "the last row", c.Value, "AX"

' Value finds the row on the server by the bound column, and a number stays a number.
c.Value = "DE"
Check "Value finds its row", c.ListIndex, 82
Check "Column(0) of DE", c.Column(0), "Germany"
Check "its number", TypeName(c.Column(2)), "Long"
c.Value = "no such code"
Check "a code no row holds changes nothing", c.ListIndex, 82

' The members that change the rows in memory refuse while the rows are on the server.
c.AddItem "Atlantis;AA;0"
CheckError "AddItem in server mode", 5, "AddItem" & kRefusal
c.RemoveItem 0
CheckError "RemoveItem in server mode", 5, "RemoveItem" & kRefusal
Check "the rows stay", c.ListCount, 249

' A key field the source does not have is the server's failure, reported; the list keeps its rows.
c.ConnectComboBoxMultiColumn db, kCountries, "no_such_field"
CheckNoError "a connection that fails is reported, not raised"
CheckServerReport "a key field the source lacks", 3061, "no_such_field"
Check "ListCount after the failure", c.ListCount, 249

' A fill ends server mode: the rows are in memory and can be added to again.
c.FillComboBoxMultiColumn db, "countries_by_name"
CheckNoError "FillComboBoxMultiColumn after server mode"
CheckNoReport "filled"
c.AddItem "Atlantis;AA;0"
CheckNoError "AddItem after the fill"
Check "ListCount after the fill", c.ListCount, 250

' A database closed before the connection is said to be closed; the list keeps its rows.
db.Close
c.ConnectComboBoxMultiColumn db, kCountries, "code"
CheckNoError "a connection to a closed database is reported, not raised"
CheckServerReport "a closed database", 3420, "Object invalid or no longer set."
Check "ListCount after connecting to a closed database", c.ListCount, 250

Finish "ServerScript"

' One error report of a connection was shown, with this number and a description that names part.
Sub CheckServerReport(what, number, part)
    Dim box, head
    box = NextBox()
    head = "ColumnPick - ConnectComboBoxMultiColumn" & vbLf & _
        "Unable to read the rows from the database server!" & vbCrLf & vbCrLf & "Error " & number & ": "
    If Left(box, Len(head)) <> head Or InStr(Len(head) + 1, box, part) = 0 Then
        Fail what & ": error report '" & box & "' does not start with '" & head & "' and hold '" & part & "'"
    End If
End Sub
