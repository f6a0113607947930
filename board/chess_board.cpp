#include "board/chess_board.h"

#include <array>

#include "board/automation_error.h"
#include "board/squares.h"

namespace board {

namespace {

struct Placement {
  CellIndex square;
  PieceCode code;
};

// The starting position in the order it is drawn: the red back rank, the red
// pawns, the cream back rank from the right (queen before king), the cream pawns.
constexpr std::array<Placement, 32> StartingPosition() {
  std::array<Placement, 32> order{};
  constexpr PieceNum kRedBackRank[] = {Brook, Bknight, Bbishop, BQueen, Bking, Bbishop, Bknight, Brook};
  constexpr Placement kCreamBackRank[] = {
      {CellIndex{64}, Wrook}, {CellIndex{63}, Wknight}, {CellIndex{62}, Wbishop}, {CellIndex{60}, WQueen},
      {CellIndex{61}, Wking}, {CellIndex{59}, Wbishop}, {CellIndex{58}, Wknight}, {CellIndex{57}, Wrook}};
  size_t n = 0;
  for (int16_t k = 1; k <= 8; ++k) order[n++] = {CellIndex(k), kRedBackRank[k - 1]};
  for (int16_t k = 9; k <= 16; ++k) order[n++] = {CellIndex(k), Bpawn};
  for (const Placement& p : kCreamBackRank) order[n++] = p;
  for (int16_t k = 49; k <= 56; ++k) order[n++] = {CellIndex(k), Wpawn};
  return order;
}

constexpr auto kStartingPosition = StartingPosition();

}  // namespace

std::array<PieceCode, kSquareCount> StartingPlacement() {
  std::array<PieceCode, kSquareCount> codes;
  codes.fill(None);
  for (const Placement& p : kStartingPosition) codes[p.square.value - 1] = p.code;
  return codes;
}

void ChessBoard::NewGame() {
  for (const Placement& p : kStartingPosition) {
    hiddenByClear_.reset(p.square.value);
    DrawPiece(p.square, p.code);
    Board.Write(p.square.value, p.code);
  }
  for (CellIndex cell = kFirstCell; cell <= kLastCell; ++cell) platform_.RefreshCell(cell);
  listener_.BoardWritten();
}

void ChessBoard::Clear() {
  for (CellIndex cell = kFirstCell; cell <= kLastCell; ++cell) {
    platform_.SetCellPicture(cell, platform_.PictureOfImage(BareSquareImage(cell)));
    hiddenByClear_.set(cell.value);
  }
  listener_.BoardWritten();
}

PieceCode ChessBoard::Piece(Col col, Row row) {
  if (!IsOnBoard(col, row)) {
    platform_.ShowMessage(kInvalidRequest);
    return {};
  }
  return Board.Read(SquareIndex(col, row).value);
}

void ChessBoard::Piece(Col col, Row row, PieceCode New_Piece) {
  if (!IsOnBoard(col, row)) {
    platform_.ShowMessage(kInvalidRequest);
    return;
  }
  if (!container_.UserMode()) throw NotAtDesignTimeError();
  m_Piece = CheckedInt16(New_Piece.value);
  container_.PropertyChanged("Piece");
  const CellIndex cell = SquareIndex(col, row);
  hiddenByClear_.reset(cell.value);
  platform_.SetCellPicture(cell, platform_.PictureOfImage(BareSquareImage(col, row)));
  if (New_Piece == None) {
    Board.Write(cell.value, None);
  } else {
    const PieceCode code(m_Piece);
    Board.Write(cell.value, code);
    DrawPiece(cell, code);
    platform_.RefreshCell(cell);
  }
  listener_.SquareWritten(cell);
}

void ChessBoard::MovePiece(CellIndex from, CellIndex to) {
  hiddenByClear_.reset(from.value).reset(to.value);
  const PieceCode code = Board.Read(from.value);
  platform_.SetCellPicture(to, platform_.PictureOfImage(BareSquareImage(to)));
  DrawPiece(to, code);
  Board.Write(to.value, code);
  platform_.SetCellPicture(from, platform_.PictureOfImage(BareSquareImage(from)));
  Board.Write(from.value, None);
  // Both cells wait to be painted: one refresh shows them together.
  platform_.RefreshCell(to);
  listener_.SquareWritten(from);
  listener_.SquareWritten(to);
}

void ChessBoard::SetPlacement(const std::array<PieceCode, kSquareCount>& codes) {
  hiddenByClear_.reset();
  for (CellIndex cell = kFirstCell; cell <= kLastCell; ++cell) {
    const PieceCode code = codes[cell.value - 1];
    platform_.SetCellPicture(cell, platform_.PictureOfImage(BareSquareImage(cell)));
    Board.Write(cell.value, code);
    if (code != None) DrawPiece(cell, code);
  }
  listener_.BoardWritten();
}

void ChessBoard::DrawPiece(CellIndex cell, PieceCode code) {
  const DrawingSurface surface = platform_.CellDrawingSurface(cell);
  platform_.DrawImage(ImageOf(code), surface);
}

}  // namespace board
