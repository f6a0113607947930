' Drives the registered control through late binding, as a script host does.
Option Explicit

Dim failures : failures = 0

Sub Expect(actual, expected, what)
  If actual <> expected Then
    WScript.Echo what & " is " & actual & ", expected " & expected
    failures = failures + 1
  End If
End Sub

Dim b : Set b = CreateObject("OrvelBoardLib.OvlChess")

' The start position, row 1 at the top; Piece takes the column first.
Dim startRows : startRows = Array( _
  Array(3, 4, 5, 6, 7, 5, 4, 3), _
  Array(2, 2, 2, 2, 2, 2, 2, 2), _
  Array(1, 1, 1, 1, 1, 1, 1, 1), _
  Array(1, 1, 1, 1, 1, 1, 1, 1), _
  Array(1, 1, 1, 1, 1, 1, 1, 1), _
  Array(1, 1, 1, 1, 1, 1, 1, 1), _
  Array(8, 8, 8, 8, 8, 8, 8, 8), _
  Array(9, 10, 11, 12, 13, 11, 10, 9))

b.NewGame
Dim c, r
For r = 1 To 8
  For c = 1 To 8
    Expect b.Piece(c, r), startRows(r - 1)(c - 1), "start Piece(" & c & "," & r & ")"
  Next
Next

' Writes, with literal and with variable coordinates.
b.Piece(3, 4) = 10
Expect b.Piece(3, 4), 10, "Piece(3,4) after writing 10"
c = 5 : r = 6
b.Piece(c, r) = 12
Expect b.Piece(c, r), 12, "Piece(5,6) after writing 12"
Expect b.Piece(5, 6), 12, "Piece(5,6) read with literals"

' Clear blanks the picture but keeps the codes.
b.Clear
Expect b.Piece(1, 1), 3, "Piece(1,1) after Clear"

b.Enabled = True
Expect b.Enabled, True, "Enabled after True"
b.Enabled = False
Expect b.Enabled, False, "Enabled after False"
b.Enabled = True
Expect b.Enabled, True, "Enabled after True again"

On Error Resume Next
b.Piece(1, 1) = 40000
Expect Err.Number, 6, "Err.Number writing 40000"
Err.Clear
b.Piece(2, 2) = 15
Expect Err.Number, 35600, "Err.Number writing 15"
Err.Clear
Expect b.Piece(2, 2), 15, "Piece(2,2) after writing 15"
Expect Err.Number, 0, "Err.Number reading Piece(2,2)"
On Error GoTo 0

' The class for chess programs: the same members, and the position as FEN text.
Dim o : Set o = CreateObject("OrvelBoardLib.OvlBoard")
o.NewGame
Expect o.Position, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "OvlBoard's Position after NewGame"
Expect o.Piece(5, 8), 13, "OvlBoard's Piece(5,8) after NewGame"
o.Position = "4k3/8/8/8/4P3/8/8/4K3"
Expect o.Position, "4k3/8/8/8/4P3/8/8/4K3", "Position after writing it"
Expect o.Piece(5, 5), 8, "Piece(5,5) after writing the Position"
o.Mark(5, 5) = 2
Expect o.Mark(5, 5), 2, "Mark(5,5) after writing 2"

On Error Resume Next
o.Position = "8/8/8"
Expect Err.Number, 380, "Err.Number writing a malformed Position"
Err.Clear
Expect o.Position, "4k3/8/8/8/4P3/8/8/4K3", "Position after a refused write"
Dim m : m = o.Mark(9, 1)
Expect Err.Number, 381, "Err.Number reading Mark(9,1)"
Err.Clear
o.Mark(1, 1) = 7
Expect Err.Number, 380, "Err.Number writing Mark 7"
Err.Clear
o.DrawArrow 5, 2, 5, 9
Expect Err.Number, 5, "Err.Number drawing an arrow off the board"
Err.Clear
On Error GoTo 0

If failures > 0 Then
  WScript.Echo failures & " failure(s)"
  WScript.Quit 1
End If
WScript.Echo "board.vbs passed"
