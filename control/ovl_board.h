#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "control/board_view.h"
#include "control/move_input.h"
#include "control/ovl_chess.h"

namespace control {

// What moving pieces by hand needs of the window that shows the board (or of a
// test's stand-in): the drag distance, repainting, the cursor, and the readers.
class MoveSurface {
 public:
  virtual DragMetrics Metrics() = 0;
  virtual void RepaintRect(PixelRect rect) = 0;
  // The keyboard cursor goes to the square.
  virtual void PutCursor(CellIndex cell) = 0;
  // The board's description changed (its arrows): tell screen readers.
  virtual void DescriptionChanged() = 0;

 protected:
  ~MoveSurface() = default;
};

// The control for chess programs: OvlChess's board, members and events, plus
// a view (orientation, marks, arrows, coordinates) and moves made by hand that
// ask the host through PieceDrop. The host's writes go through the members
// here, so a piece picked up and written over is put back.
class OvlBoard : public OvlChess, private MoveHost {
 public:
  // Its board fills the rectangle it is given.
  OvlBoard(Platform& platform, Container& container)
      : OvlChess(platform, container, BoardLayout::FillsRectangle), moves_(*this) {}
  template <class Host, class = std::enable_if_t<std::is_base_of_v<Container, Host>>>
  explicit OvlBoard(Host& host) : OvlBoard(static_cast<Platform&>(host), static_cast<Container&>(host)) {}

  void UserControl_ReadProperties(PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);

  bool Enabled() override { return OvlChess::Enabled(); }
  void Enabled(bool New_Enabled);
  void NewGame();
  void Clear();
  using OvlChess::Piece;
  void Piece(int16_t col, int16_t row, int32_t New_Piece);

  // The placement field of FEN for what the board holds.
  std::string Position();
  // At design time error 382; malformed text error 380, nothing changed;
  // otherwise every square written as Piece writes it, one repaint, one "Position" notification.
  void Position(std::wstring_view New_Position);

  bool Flipped() { return view_.Flipped(); }
  void Flipped(bool New_Flipped);
  bool ShowCoordinates() { return view_.ShowCoordinates(); }
  void ShowCoordinates(bool New_ShowCoordinates);
  // Off the board: error 381; an unknown kind: error 380. No message box.
  int32_t Mark(int16_t col, int16_t row);
  void Mark(int16_t col, int16_t row, int32_t New_Mark);
  void ClearMarks();
  // Error 5 off the board.
  void DrawArrow(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow);
  void ClearArrows();
  bool AllowMoves() { return moves_.AllowMoves(); }
  void AllowMoves(bool New_AllowMoves);

  const BoardView& View() const { return view_; }
  MoveInput& Moves() { return moves_; }
  const MoveInput& Moves() const { return moves_; }
  // The window (or a test) that shows the board; nullptr when it is gone.
  void AttachSurface(MoveSurface* surface);

  // What a screen reader hears of a square beyond its pieces: ", last move", ", picked up".
  std::string NameWords(CellIndex cell) const;
  // The board's description: "Arrows: e2 to e4." or "".
  std::string Description() const { return view_.ArrowsDescription(); }

 private:
  // MoveHost
  int32_t PieceAt(CellIndex cell) override;
  bool UserMode() override;
  DragMetrics Metrics() override;
  void RaisePieceDrop(PieceDropArguments& arguments) override;
  void MovePiece(CellIndex from, CellIndex to) override;
  void PickUpChanged(CellIndex cell) override;
  void RepaintRect(PixelRect rect) override;
  void PutCursor(CellIndex cell) override;

  void PlaceCells();
  void DescriptionChanged();

  BoardView view_;
  MoveInput moves_;
  MoveSurface* surface_ = nullptr;
};

}  // namespace control
