#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "board/squares.h"
#include "control/cell_grid.h"
#include "control/keyboard_input.h"
#include "control/piece_animation.h"

namespace control {

// What an input did to the promotion choice.
struct ChoiceStep {
  // The highlighted piece changed: repaint the column, and readers hear the new item.
  bool highlightMoved = false;
  // The choice is over with this piece, or with None when it was dismissed.
  std::optional<PieceCode> chosen;
};

// A column of four pieces of a pawn's colour (queen, knight, rook, bishop),
// drawn from the pawn's square toward the board's centre, from which the user
// picks what the pawn becomes. It takes the keyboard and the mouse while it
// shows; the host hears the answer and writes the piece itself.
class PromotionChoice {
 public:
  static constexpr size_t kItemCount = 4;
  // What a screen reader calls the list.
  static constexpr std::string_view kListName = "Promote to";

  // Shows the choice for the pawn `pawn` on `square`: error 5 when `pawn` is no pawn.
  void Open(board::Square square, PieceCode pawn);
  bool Showing() const { return showing_; }
  board::Square At() const { return square_; }
  // Ends the choice with None (Escape, focus lost, a write, disabling, a new choice); an empty step when none shows.
  ChoiceStep Dismiss();

  // Up and Down as the eye sees them move the highlight (stopping at the ends), Home and End
  // go to the top and bottom piece, Space and Enter choose; the choice swallows every key.
  ChoiceStep Key(BoardKey seen, const DrawnBoard& drawn);
  // A left press on a piece highlights it, its release there chooses it; a press anywhere else dismisses.
  ChoiceStep Press(int x, int y, const DrawnBoard& drawn);
  ChoiceStep Release(int x, int y, const DrawnBoard& drawn);
  // A screen reader's default action on an item.
  ChoiceStep ChooseItem(size_t item);

  PieceCode Item(size_t item) const { return items_[item]; }
  size_t Highlighted() const { return highlighted_; }
  // The device rectangle of an item; item 0 covers the pawn's square.
  PixelRect ItemRect(size_t item, const DrawnBoard& drawn) const;
  PixelRect Bounds(const DrawnBoard& drawn) const;
  // "cream queen", for the accessible list item.
  std::string ItemName(size_t item) const;

 private:
  // +1 where the column runs down the drawn board, -1 where it runs up.
  int Direction(const DrawnBoard& drawn) const;
  std::optional<size_t> ItemAt(int x, int y, const DrawnBoard& drawn) const;
  ChoiceStep Highlight(size_t item);
  ChoiceStep Choose(PieceCode piece);

  bool showing_ = false;
  board::Square square_{};
  std::array<PieceCode, kItemCount> items_{};
  size_t highlighted_ = 0;
  std::optional<size_t> pressed_;
};

// What the promotion choice needs of the control.
class PromotionHost {
 public:
  virtual PieceCode PieceAt(CellIndex cell) = 0;
  // Synchronous; a handler may write the board, disable the control or open another choice.
  virtual void RaisePromotionChosen(board::Square square, PieceCode piece) = 0;
  // The choice has the keyboard and `item` is highlighted: screen readers hear it.
  virtual void ChoiceItemFocused(size_t item) = 0;
  // The choice is over: the keyboard is the board's again, its cursor on `cell`.
  virtual void FocusReturned(CellIndex cell) = 0;

 protected:
  ~PromotionHost() = default;
};

// The promotion choice as the control runs it: opened by ChoosePromotion,
// taking every input while it shows, answered once by PromotionChosen.
class PromotionPrompt {
 public:
  explicit PromotionPrompt(PromotionHost& host) : host_(host) {}

  // The window showing the board from now on, or nullptr when it is gone (which dismisses the choice).
  void Attach(OverlaySurface* surface);
  // Off the board: error 381; no pawn on the square: error 5. A choice showing is dismissed first.
  void Open(int16_t col, int16_t row);
  bool Showing() const { return choice_.Showing(); }
  const PromotionChoice& Choice() const { return choice_; }

  // Input while it shows.
  void Key(BoardKey seen);
  void Press(int x, int y);
  void Release(int x, int y);
  // A reader's default action on an item.
  void ChooseItem(size_t item);
  // Escape, the focus lost, the control disabled, another choice: answered with None.
  void Dismiss();
  // A write to the choice's square dismisses it.
  void SquareWritten(CellIndex cell);

 private:
  DrawnBoard Drawn() const { return surface_ ? surface_->Drawn() : DrawnBoard{}; }
  void Repaint();
  void Follow(ChoiceStep step);

  PromotionHost& host_;
  OverlaySurface* surface_ = nullptr;
  PromotionChoice choice_;
};

// Draws the choice over a composed board whose top-left pixel is the control's
// (originX, originY), with `pictures` of the square's size: each item a tile
// with its piece, the highlighted one outlined as the focus cue outlines a square.
void PaintPromotionChoice(const PromotionChoice& choice, const DrawnBoard& drawn, const PictureSet& pictures,
                          uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX = 0,
                          int originY = 0);

}  // namespace control
