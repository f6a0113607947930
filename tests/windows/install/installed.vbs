' The installed control, created by its ProgID as a script host does: after
' NewGame every square holds its piece of the start position.
Option Explicit

Dim board : Set board = CreateObject("OrvelBoardLib.OvlChess")
board.NewGame

' Row 1 (top) is red's back row; cream's pieces are red's plus 6.
Dim backRow : backRow = Array(3, 4, 5, 6, 7, 5, 4, 3)
Dim failures : failures = 0
Dim c, r, expected
For r = 1 To 8
  For c = 1 To 8
    Select Case r
      Case 1: expected = backRow(c - 1)
      Case 2: expected = 2
      Case 7: expected = 8
      Case 8: expected = backRow(c - 1) + 6
      Case Else: expected = 1
    End Select
    If board.Piece(c, r) <> expected Then
      WScript.Echo "Piece(" & c & "," & r & ") is " & board.Piece(c, r) & ", expected " & expected
      failures = failures + 1
    End If
  Next
Next

If failures = 0 Then WScript.Echo "installed.vbs passed"
