' The control filled from the component's own database object by a script: from the test's
' PostgreSQL server through ODBC and from the sample SQLite file, by a query and from a
' recordset; the database's failures in the control's error report.
'   cscript DatabaseScript.vbs <box log> <PostgreSQL connection string> <SQLite file>
Dim fso, c, db, rs, where
Set fso = CreateObject("Scripting.FileSystemObject")

Const kQuery = "Unable to execute the sub FillComboBoxMultiColumn!"
Const kCountries = "SELECT code, name, num FROM (VALUES ('FR', 'France', 250), ('DE', 'Germany', 276), ('XK', 'Kosovo', NULL)) AS t(code, name, num) ORDER BY code"

On Error Resume Next
Set c = CreateObject("ColumnPick.ColumnPick")
c.ColumnCount = 3
c.ColumnWidths = "600;1500;600"
Set db = CreateObject("ColumnPick.Database")
CheckNoError "CreateObject ColumnPick.Database"
Check "TypeName of the database", TypeName(db), "_Database"

' The server, by a query.
db.OpenConnection WScript.Arguments(1)
CheckNoError "OpenConnection"
c.FillComboBoxMultiColumn db, kCountries
CheckNoError "FillComboBoxMultiColumn from the server"
CheckNoReport "fill from the server"
Check "ListCount", c.ListCount, 3
c.ListIndex = 0
Check "Column(1) of row 0", c.Column(1), "Germany"
Check "a number stays a number", TypeName(c.Column(2)), "Long"
c.ListIndex = 2
Check "Null stays Null", IsNull(c.Column(2)), True
c.Value = "FR"
Check "Value finds its row", c.ListIndex, 1

' The server, from a recordset that counts its rows only when asked to go to its end.
Set rs = db.OpenRecordset(kCountries & " DESC", 2)
CheckNoError "OpenRecordset"
Check "TypeName of the recordset", TypeName(rs), "_Recordset"
Check "the count is not known yet", rs.RecordCount, -1
c.FillComboBoxMultiColumnRecordset rs
CheckNoError "FillComboBoxMultiColumnRecordset"
CheckNoReport "fill from a recordset"
Check "ListCount from the recordset", c.ListCount, 3
Check "Column(1) of row 1 from the recordset", c.Column(1), "France"
rs.Close

' The server's failures: the report names the database, and the list keeps its rows.
where = "In database: " & db.Name & " the following error occured: " & vbCrLf & vbCrLf
c.FillComboBoxMultiColumn db, "SELECT name FROM no_such_table"
CheckNoError "a fill that fails is reported, not raised"
CheckReportPart "an unknown table", kQuery, 3078, where, "no_such_table"
c.FillComboBoxMultiColumn db, "SELECT nmae FROM (VALUES ('x')) AS t(name)"
CheckReportPart "an unknown field", kQuery, 3061, where, "square brackets [ ]."
Check "ListCount after the failures", c.ListCount, 3

' A closed database opens nothing.
db.Close
c.FillComboBoxMultiColumn db, kCountries
CheckReport "a closed database", kQuery, 3420, "Object invalid or no longer set."

' The sample SQLite file, by the name of a stored query.
db.OpenFile WScript.Arguments(2)
CheckNoError "OpenFile"
Check "Name of the file", db.Name, WScript.Arguments(2)
c.FillComboBoxMultiColumn db, "countries_by_name"
CheckNoError "FillComboBoxMultiColumn from the file"
CheckNoReport "fill from the file"
Check "more than 200 countries", c.ListCount > 200, True
c.BoundColumn = 1
c.Value = "DE"
Check "Column(0) of DE", c.Column(0), "Germany"
Check "its number", c.Column(2), 276
c.FillComboBoxMultiColumn db, "SELECT name FROM countries WHERE code = ?"
CheckReportPart "a parameter", kQuery, 3061, "In database: " & WScript.Arguments(2), "square brackets [ ]."

' A path that names no file opens nothing and makes no file.
db.OpenFile WScript.Arguments(2) & ".missing"
CheckError "OpenFile of a missing file", 3024, "Could not find file '" & WScript.Arguments(2) & ".missing'."
Check "no file was made", fso.FileExists(WScript.Arguments(2) & ".missing"), False
Check "the open file stays open", db.Name, WScript.Arguments(2)

Finish "DatabaseScript"
