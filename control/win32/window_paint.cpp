// Painting the window: the kept board copied once, the focus cue and the
// piece in hand over pixels composed aside.
#include <algorithm>
#include <optional>
#include <vector>

#include "control/focus_cue.h"
#include "control/view_layers.h"
#include "control/win32/composed.h"
#include "control/win32/window_platform.h"

namespace control::win32 {

namespace {

// BeginPaint to EndPaint, also when painting fails part way.
class PaintSession {
 public:
  explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  ~PaintSession() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace

ComposedBoard::Composer WindowPlatform::ComposeStep(const PictureSet& pictures, CellIndex bare,
                                                   const PieceAnimation* sliding) const {
  return [this, &pictures, bare, sliding](PixelRect area, uint32_t* pixels, ptrdiff_t stride) {
    ComposeShown(Cells(), control_->View(), bare, area, pictures, background_, pixels, stride, sliding);
  };
}

void WindowPlatform::Paint() {
  PaintSession paint(window_);
  const RECT& area = paint.Area();
  if (area.right <= area.left || area.bottom <= area.top) return;
  const PictureSet& pictures = Pictures();
  painted_ = true;
  ComposedBoard& board = ComposedPixels();
  board.Update(Cells(), pictures.Size(), ComposeStep(pictures, control_->Moves().Lifted()));
  const PixelRect on = geometry_.BoardRect();
  const RECT boardRect{on.left, on.top, on.right, on.bottom};
  RECT client{};
  GetClientRect(window_, &client);
  FillAround(paint.Dc(), client, boardRect, background_);
  // A slide's frame or the promotion choice: its few squares composed aside whole.
  if (control_->Slides().Animation().Running() || control_->Promotion().Showing())
    return PaintOverKept(paint.Dc(), area, boardRect);
  CopyKept(paint.Dc(), board, area, {on.left, on.top});
  if (const board::CellIndex cell = input_ ? input_->CueCell() : board::CellIndex{})
    PaintOverKept(paint.Dc(), area, CellRect(cell));
  if (const std::optional<FloatingPiece> floating = control_->Moves().Floating())
    PaintOverKept(paint.Dc(), area,
                  {floating->rect.left, floating->rect.top, floating->rect.right, floating->rect.bottom});
}

// The kept pixels hold neither the focus cue nor what moves over the board: they
// go over the pixels of `over` composed aside.
void WindowPlatform::PaintOverKept(HDC dc, const RECT& area, const RECT& over) {
  RECT shown;
  if (!IntersectRect(&shown, &over, &area)) return;
  const int width = shown.right - shown.left, height = shown.bottom - shown.top;
  const PixelRect onBoard = geometry_.OnBoard({shown.left, shown.top, shown.right, shown.bottom});
  std::vector<uint32_t>& pixels =
      Composed({onBoard.left, onBoard.top, onBoard.right, onBoard.bottom},
               ComposeStep(Pictures(), control_->Moves().Lifted(), &control_->Slides().Animation()));
  if (const board::CellIndex cell = input_ ? input_->CueCell() : board::CellIndex{}) {
    const RECT r = CellRect(cell);
    const board::Square square = board::SquareOfIndex(cell);
    FocusCue::Draw(pixels.data(), width, height, width,
                   {r.left - shown.left, r.top - shown.top, r.right - shown.left, r.bottom - shown.top},
                   board::IsLightSquare(square.col, square.row));
  }
  // At the window's own size, so what moves over the board is as crisp as the pieces on it.
  PaintOverBoard(*control_, Drawn(), {shown.left, shown.top, shown.right, shown.bottom}, pixels.data(), width,
                 Pictures());
  CopyPixels(dc, {shown.left, shown.top}, pixels, width, height);
}

}  // namespace control::win32
