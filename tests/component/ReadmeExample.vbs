Set picker = CreateObject("ColumnPick.ColumnPick")
picker.ColumnCount = 2
picker.ColumnWidths = "1500;600"
picker.AddList "France;FR;Germany;DE;Italy;IT"
picker.BoundColumn = 1
picker.Value = "DE"
WScript.Echo picker.ListCount & " rows, picked " & picker.Column(0) & " (" & picker & ")"
