' Fills a picker with the countries of an SQLite file named on the command line.
Set db = CreateObject("ColumnPick.Database")
db.OpenFile WScript.Arguments(0)
Set picker = CreateObject("ColumnPick.ColumnPick")
picker.ColumnCount = 2
picker.ColumnWidths = "2000;600"
picker.BoundColumn = 1
picker.FillComboBoxMultiColumn db, "SELECT name, code FROM countries ORDER BY name"
picker.Value = "DE"
WScript.Echo picker.ListCount & " countries"
WScript.Echo "Picked " & picker.Column(0) & " (" & picker & ")"
