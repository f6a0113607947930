#include "control/promotion_choice.h"

#include <algorithm>

#include "board/automation_error.h"
#include "control/board_view.h"
#include "control/focus_cue.h"
#include "control/picture_set.h"
#include "control/piece_words.h"

namespace control {
namespace {

// Cream pieces stand on dark tiles and red ones on light tiles, so each stands out whatever the wood beneath.
constexpr uint32_t kDarkTile = 0x3B342D, kLightTile = 0xF5F1E8, kTileEdge = 0x6B5640;

void FillTile(PixelRect tile, uint32_t colour, int edge, uint32_t* pixels, int width, int height, ptrdiff_t stride) {
  for (int y = std::max(tile.top, 0); y < std::min(tile.bottom, height); ++y)
    for (int x = std::max(tile.left, 0); x < std::min(tile.right, width); ++x) {
      const bool onEdge = x < tile.left + edge || x >= tile.right - edge || y < tile.top + edge || y >= tile.bottom - edge;
      pixels[y * stride + x] = onEdge ? kTileEdge : colour;
    }
}

PixelRect Offset(PixelRect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace

void PromotionChoice::Open(board::Square square, PieceCode pawn) {
  if (pawn != board::Wpawn && pawn != board::Bpawn) throw board::InvalidArgumentError("The square holds no pawn");
  const bool cream = pawn == board::Wpawn;
  items_ = cream ? std::array<PieceCode, kItemCount>{board::WQueen, board::Wknight, board::Wrook, board::Wbishop}
                 : std::array<PieceCode, kItemCount>{board::BQueen, board::Bknight, board::Brook, board::Bbishop};
  square_ = square;
  highlighted_ = 0;
  pressed_.reset();
  showing_ = true;
}

ChoiceStep PromotionChoice::Dismiss() { return showing_ ? Choose(board::None) : ChoiceStep{}; }

ChoiceStep PromotionChoice::Key(BoardKey seen, const DrawnBoard& drawn) {
  if (!showing_) return {};
  const int down = Direction(drawn);
  const size_t top = down > 0 ? 0 : kItemCount - 1, bottom = kItemCount - 1 - top;
  switch (seen) {
    case BoardKey::Up:
    case BoardKey::Down: {
      const int step = seen == BoardKey::Down ? down : -down;
      const int next = std::clamp(static_cast<int>(highlighted_) + step, 0, static_cast<int>(kItemCount) - 1);
      return Highlight(static_cast<size_t>(next));
    }
    case BoardKey::Home: return Highlight(top);
    case BoardKey::End: return Highlight(bottom);
    case BoardKey::Space:
    case BoardKey::Enter: return Choose(items_[highlighted_]);
    default: return {};
  }
}

ChoiceStep PromotionChoice::Press(int x, int y, const DrawnBoard& drawn) {
  if (!showing_) return {};
  pressed_ = ItemAt(x, y, drawn);
  return pressed_ ? Highlight(*pressed_) : Dismiss();
}

ChoiceStep PromotionChoice::Release(int x, int y, const DrawnBoard& drawn) {
  if (!showing_ || !pressed_) return {};
  const bool onPressed = ItemAt(x, y, drawn) == pressed_;
  pressed_.reset();
  return onPressed ? Choose(items_[highlighted_]) : ChoiceStep{};
}

ChoiceStep PromotionChoice::ChooseItem(size_t item) {
  return showing_ && item < kItemCount ? Choose(items_[item]) : ChoiceStep{};
}

PixelRect PromotionChoice::ItemRect(size_t item, const DrawnBoard& drawn) const {
  const PixelRect square = DrawnSquareRect(board::SquareIndex(square_.col, square_.row), drawn);
  return Offset(square, 0, Direction(drawn) * static_cast<int>(item) * drawn.Square());
}

PixelRect PromotionChoice::Bounds(const DrawnBoard& drawn) const {
  const PixelRect first = ItemRect(0, drawn), last = ItemRect(kItemCount - 1, drawn);
  return {first.left, std::min(first.top, last.top), first.right, std::max(first.bottom, last.bottom)};
}

std::string PromotionChoice::ItemName(size_t item) const { return PieceWords(board::ImageOf(items_[item])); }

int PromotionChoice::Direction(const DrawnBoard& drawn) const {
  const PixelRect square = DrawnSquareRect(board::SquareIndex(square_.col, square_.row), drawn);
  return square.top - drawn.geometry.Top() < board::kBoardSize / 2 * drawn.Square() ? 1 : -1;
}

std::optional<size_t> PromotionChoice::ItemAt(int x, int y, const DrawnBoard& drawn) const {
  for (size_t item = 0; item < kItemCount; ++item) {
    const PixelRect r = ItemRect(item, drawn);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return item;
  }
  return std::nullopt;
}

ChoiceStep PromotionChoice::Highlight(size_t item) {
  if (item == highlighted_) return {};
  highlighted_ = item;
  return {.highlightMoved = true, .chosen = std::nullopt};
}

ChoiceStep PromotionChoice::Choose(PieceCode piece) {
  showing_ = false;
  pressed_.reset();
  return {.highlightMoved = false, .chosen = piece};
}

void PromotionPrompt::Attach(OverlaySurface* surface) {
  if (!surface) Dismiss();
  surface_ = surface;
}

void PromotionPrompt::Open(int16_t col, int16_t row) {
  const CellIndex cell = CheckedSquare(col, row);
  const PieceCode pawn = host_.PieceAt(cell);
  if (pawn != board::Wpawn && pawn != board::Bpawn) throw board::InvalidArgumentError("The square holds no pawn");
  Dismiss();
  choice_.Open(board::SquareOfIndex(cell), pawn);
  Repaint();
  host_.ChoiceItemFocused(choice_.Highlighted());
}

void PromotionPrompt::Key(BoardKey seen) { Follow(choice_.Key(seen, Drawn())); }

void PromotionPrompt::Press(int x, int y) { Follow(choice_.Press(x, y, Drawn())); }

void PromotionPrompt::Release(int x, int y) { Follow(choice_.Release(x, y, Drawn())); }

void PromotionPrompt::ChooseItem(size_t item) { Follow(choice_.ChooseItem(item)); }

void PromotionPrompt::Dismiss() { Follow(choice_.Dismiss()); }

void PromotionPrompt::SquareWritten(CellIndex cell) {
  if (choice_.Showing() && cell == board::SquareIndex(choice_.At().col, choice_.At().row)) Dismiss();
}

void PromotionPrompt::Repaint() {
  if (surface_) surface_->RepaintRect(choice_.Bounds(surface_->Drawn()));
}

// The answer goes last: its handler may do anything, even open the next choice.
void PromotionPrompt::Follow(ChoiceStep step) {
  if (step.highlightMoved) {
    Repaint();
    host_.ChoiceItemFocused(choice_.Highlighted());
  }
  if (!step.chosen) return;
  Repaint();
  const board::Square square = choice_.At();
  host_.FocusReturned(board::SquareIndex(square.col, square.row));
  host_.RaisePromotionChosen(square, *step.chosen);
}

void PaintPromotionChoice(const PromotionChoice& choice, const DrawnBoard& drawn, const PictureSet& pictures,
                          uint32_t* pixels, int width, int height, ptrdiff_t stride, int originX, int originY) {
  if (!choice.Showing()) return;
  const int edge = std::max(1, drawn.Square() / kPictureSize);
  const bool lightTiles = choice.Item(0) == board::BQueen;
  for (size_t item = 0; item < PromotionChoice::kItemCount; ++item) {
    const PixelRect tile = choice.ItemRect(item, drawn);
    FillTile(Offset(tile, -originX, -originY), lightTiles ? kLightTile : kDarkTile, edge, pixels, width, height,
             stride);
    PaintPiece(board::ImageOf(choice.Item(item)), tile.left, tile.top, pixels, width, height, stride, originX,
               originY, pictures);
  }
  const PixelRect highlighted = Offset(choice.ItemRect(choice.Highlighted(), drawn), -originX, -originY);
  FocusCue::Draw(pixels, width, height, stride, highlighted, lightTiles);
}

}  // namespace control
