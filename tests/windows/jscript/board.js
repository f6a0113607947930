// JScript reads squares and calls methods; writing a square needs VBScript
// (JScript has no syntax for a put with arguments). An error stops the script
// before its last line, so only a complete run prints "passed".
var board = new ActiveXObject("OrvelBoardLib.OvlChess");
board.NewGame();
if (board.Piece(1, 1) != 3 || board.Piece(5, 8) != 13) throw new Error("start position");
board.Clear();
if (board.Piece(4, 8) != 12) throw new Error("Clear keeps the codes");
board.Enabled = false;
if (board.Enabled) throw new Error("Enabled");
WScript.Echo("board.js passed");
