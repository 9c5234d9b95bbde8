' The control filled from recordsets that a script writes itself as VBScript classes: objects
' that no part of the component knows, reached by the names of their members. Their failures,
' and their lack of members, go to the control's error report.
'   cscript ClassScript.vbs <box log>
Dim c, rs, rows

Const kRecordset = "Unable to execute the Function FillComboBoxMultiColumnRecordset!"
Const kAdvice = "Did you set the CursorType of the recordset?"
Const kBrackets = "In some cases, this message is generated when unknown field names or expressions are interpreted as query parameters. Be sure to enclose field names containing spaces or punctuation with square brackets [ ]."

' Rows kept as a (field, row) array. A lazy one does not know its count before it has been to
' its last row; a forward-only one cannot go there.
Class ArrayRecordset
    ' One declaration a line: Wine's script engine takes no list in a class.
    Private data
    Private position
    Private counted
    Public Lazy
    Public ForwardOnly
    Public Calls

    Public Sub Load(rows)
        data = rows
        position = 0
        counted = False
        Calls = ""
    End Sub

    Public Property Get RecordCount
        Calls = Calls & "RecordCount "
        If Lazy And Not counted Then RecordCount = -1 Else RecordCount = UBound(data, 2) + 1
    End Property

    Public Property Get EOF
        Calls = Calls & "EOF "
        EOF = position > UBound(data, 2)
    End Property

    Public Sub MoveLast
        Calls = Calls & "MoveLast "
        If ForwardOnly Then Err.Raise 3251, "ArrayRecordset", "Operation is not supported for this type of object."
        position = UBound(data, 2)
        counted = True
    End Sub

    Public Sub MoveFirst
        Calls = Calls & "MoveFirst "
        position = 0
    End Sub

    Public Function GetRows(n)
        Dim block, field, row
        Calls = Calls & "GetRows(" & n & ")"
        ReDim block(UBound(data, 1), n - 1)
        For row = 0 To n - 1
            For field = 0 To UBound(data, 1)
                block(field, row) = data(field, position + row)
            Next
        Next
        position = position + n
        GetRows = block
    End Function
End Class

' A recordset that lost its GetRows.
Class CountOnly
    Public Property Get RecordCount
        RecordCount = 2
    End Property
    Public Property Get EOF
        EOF = False
    End Property
End Class

' A recordset whose engine took a name for a parameter.
Class ParameterTaken
    Public Property Get RecordCount
        RecordCount = 1
    End Property
    Public Property Get EOF
        EOF = False
    End Property
    Public Function GetRows(n)
        Err.Raise 3061, "ParameterTaken", "Too few parameters. Expected 1."
    End Function
End Class

ReDim rows(2, 3)
rows(0, 0) = 1 : rows(1, 0) = "one" : rows(2, 0) = DateSerial(2024, 2, 29)
rows(0, 1) = 2 : rows(1, 1) = "two" : rows(2, 1) = Null
rows(0, 2) = 3 : rows(1, 2) = "three" : rows(2, 2) = 2.5
rows(0, 3) = 4 : rows(1, 3) = "four" : rows(2, 3) = True

On Error Resume Next
Set c = CreateObject("ColumnPick.ColumnPick")
c.ColumnCount = 2
c.ColumnWidths = "1200;600"
c.AddList "a;first;b;second"

' A recordset that knows its count.
Set rs = New ArrayRecordset
rs.Load rows
c.FillComboBoxMultiColumnRecordset rs
CheckNoError "FillComboBoxMultiColumnRecordset"
CheckNoReport "a fill from a class"
Check "calls", rs.Calls, "RecordCount GetRows(4)"
Check "ListCount", c.ListCount, 4
c.ListIndex = 0
Check "Column(1) of row 0", c.Column(1), "one"
Check "a date stays a date", TypeName(c.Column(2)), "Date"
Check "the date", c.Column(2), DateSerial(2024, 2, 29)
c.ListIndex = 1
Check "Null stays Null", IsNull(c.Column(2)), True
c.ListIndex = 2
Check "a number stays a number", TypeName(c.Column(2)), "Double"
c.BoundColumn = 0
c.Value = 4
Check "Value finds a number", c.ListIndex, 3

' One that counts its rows only at its end, and cannot go there, asks for the cursor type.
rs.Lazy = True
rs.ForwardOnly = True
rs.Load rows
c.FillComboBoxMultiColumnRecordset rs
CheckNoError "a failed fill is reported, not raised"
' Wine's script engine hands an error of a class's method to its own host and gives the caller
' only the number: the description in the report is then the runtime's for that number.
CheckReportPart "a forward-only class", kRecordset, 3251, "The following error occured: " & _
    vbCrLf & vbCrLf, vbCrLf & vbCrLf & kAdvice
Check "calls of a forward-only one", rs.Calls, "RecordCount EOF MoveLast "
Check "the emptied list", c.ListCount, 0

c.FillComboBoxMultiColumnRecordset New CountOnly
CheckReport "a class without GetRows", kRecordset, 438, "The following error occured: " & vbCrLf & _
    vbCrLf & "Object doesn't support this property or method" & vbCrLf & vbCrLf & kAdvice
c.FillComboBoxMultiColumnRecordset New ParameterTaken
CheckReportPart "a name taken for a parameter", kRecordset, 3061, "The following error occured: " & _
    vbCrLf & vbCrLf, vbCrLf & vbCrLf & kBrackets

Finish "ClassScript"
