#include "board/chess_board.h"

#include <array>

#include "board/automation_error.h"
#include "board/squares.h"

namespace board {

namespace {

struct Placement {
  CellIndex square;
  int16_t code;
};

// The starting position in the order it is drawn: the red back rank, the red
// pawns, the cream back rank from the right (queen before king), the cream pawns.
constexpr std::array<Placement, 32> StartingPosition() {
  std::array<Placement, 32> order{};
  constexpr int16_t kRedBackRank[] = {Brook, Bknight, Bbishop, BQueen, Bking, Bbishop, Bknight, Brook};
  constexpr Placement kCreamBackRank[] = {{64, Wrook}, {63, Wknight}, {62, Wbishop}, {60, WQueen},
                                          {61, Wking}, {59, Wbishop}, {58, Wknight}, {57, Wrook}};
  size_t n = 0;
  for (int16_t k = 1; k <= 8; ++k) order[n++] = {k, kRedBackRank[k - 1]};
  for (int16_t k = 9; k <= 16; ++k) order[n++] = {k, Bpawn};
  for (const Placement& p : kCreamBackRank) order[n++] = p;
  for (int16_t k = 49; k <= 56; ++k) order[n++] = {k, Wpawn};
  return order;
}

constexpr auto kStartingPosition = StartingPosition();

}  // namespace

void ChessBoard::NewGame() {
  for (const Placement& p : kStartingPosition) {
    DrawPiece(p.square, p.code);
    Board.Write(p.square.value, p.code);
  }
  for (CellIndex cell = kFirstCell; cell <= kLastCell; ++cell) platform_.RefreshCell(cell);
}

void ChessBoard::Clear() {
  for (CellIndex cell = kFirstCell; cell <= kLastCell; ++cell)
    platform_.SetCellPicture(cell, platform_.PictureOfImage(BareSquareImage(cell)));
}

int32_t ChessBoard::Piece(int16_t col, int16_t row) {
  if (!IsOnBoard(col, row)) {
    platform_.ShowMessage(kInvalidRequest);
    return 0;
  }
  return Board.Read(SquareIndex(col, row).value);
}

void ChessBoard::Piece(int16_t col, int16_t row, int32_t New_Piece) {
  if (!IsOnBoard(col, row)) {
    platform_.ShowMessage(kInvalidRequest);
    return;
  }
  if (!container_.UserMode()) throw NotAtDesignTimeError();
  m_Piece = CheckedInt16(New_Piece);
  container_.PropertyChanged("Piece");
  const CellIndex cell = SquareIndex(col, row);
  platform_.SetCellPicture(cell, platform_.PictureOfImage(BareSquareImage(col, row)));
  if (New_Piece == None) {
    Board.Write(cell.value, None);
    return;
  }
  Board.Write(cell.value, m_Piece);
  DrawPiece(cell, m_Piece);
  platform_.RefreshCell(cell);
}

void ChessBoard::MovePiece(CellIndex from, CellIndex to) {
  const int32_t code = Board.Read(from.value);
  platform_.SetCellPicture(to, platform_.PictureOfImage(BareSquareImage(to)));
  DrawPiece(to, static_cast<int16_t>(code));
  Board.Write(to.value, code);
  platform_.SetCellPicture(from, platform_.PictureOfImage(BareSquareImage(from)));
  Board.Write(from.value, None);
  // Both cells wait to be painted: one refresh shows them together.
  platform_.RefreshCell(to);
  container_.PropertyChanged("Position");
}

void ChessBoard::SetPlacement(const std::array<int32_t, kSquareCount>& codes) {
  for (CellIndex cell = kFirstCell; cell <= kLastCell; ++cell) {
    const int32_t code = codes[cell.value - 1];
    platform_.SetCellPicture(cell, platform_.PictureOfImage(BareSquareImage(cell)));
    Board.Write(cell.value, code);
    if (code != None) DrawPiece(cell, static_cast<int16_t>(code));
  }
}

void ChessBoard::DrawPiece(CellIndex cell, ImageNumber image) {
  const DrawingSurface surface = platform_.CellDrawingSurface(cell);
  platform_.DrawImage(image, surface, 0, 0, kTransparentStyle);
}

}  // namespace board
