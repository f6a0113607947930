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
  const PixelRect shown{area.left, area.top, area.right, area.bottom};
  // A slide's frame or the promotion choice: its few squares composed aside whole.
  const bool aside = control_->Slides().Animation().Running() || control_->Promotion().Showing();
  const board::CellIndex cue = input_ ? input_->CueCell() : board::CellIndex{};
  const std::optional<FloatingPiece> floating = control_->Moves().Floating();
  const bool over = aside || (cue && !Intersection(geometry_.CellRect(Cells(), cue), shown).Empty()) ||
                    (floating && !Intersection(floating->rect, shown).Empty());
  ComposedBoard& board = ComposedPixels();
  const PixelRect on = geometry_.BoardRect();
  const RECT onBoard{on.left, on.top, on.right, on.bottom};
  RECT client{};
  GetClientRect(window_, &client);
  // A live resize's step: one stretch of the kept board; the size is composed once it holds.
  if (board.Side() > 0 && board.Side() != geometry_.Side() &&
      ResizedPaint{.keptSide = board.Side(),
                   .keptCurrent = board.Current(),
                   .side = geometry_.Side(),
                   .picturesDrawn = pictures_.DrawnAt(geometry_.Square()),
                   .overBoard = over || floating || control_->Moves().Lifted()}
          .StretchesKept()) {
    StretchKept(paint.Dc(), board, onBoard);
    FillAround(paint.Dc(), client, onBoard, background_);
    return;
  }
  const PictureSet& pictures = Pictures();
  painted_ = true;
  // Only the tiles this paint shows: a board whose pixels were given back composes no more than it copies.
  board.Update(Cells(), pictures.Size(), ComposeStep(pictures, control_->Moves().Lifted()), geometry_.OnBoard(shown));
  if (over) return PaintOverKept(paint.Dc(), shown, aside);
  CopyKept(paint.Dc(), board, area, {on.left, on.top});
  FillAround(paint.Dc(), client, onBoard, background_);
}

// The kept pixels hold neither the focus cue nor what moves over the board:
// both go over a copy of the area's kept pixels (composed aside instead while
// a slide shows its squares as they were), and the area reaches the screen in one copy.
void WindowPlatform::PaintOverKept(HDC dc, PixelRect area, bool composeAside) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<uint32_t>& pixels = AsideBuffer(width, height);
  std::fill(pixels.begin(), pixels.end(), background_);
  const PixelRect onBoard = geometry_.OnBoard(area);
  const PixelRect part = Intersection(onBoard, {0, 0, geometry_.Side(), geometry_.Side()});
  if (!composeAside)
    ComposedPixels().CopyOut(onBoard, pixels.data(), width);
  else if (!part.Empty())
    ComposeStep(Pictures(), control_->Moves().Lifted(), &control_->Slides().Animation())(
        part, pixels.data() + static_cast<ptrdiff_t>(part.top - onBoard.top) * width + (part.left - onBoard.left),
        width);
  if (const board::CellIndex cue = input_ ? input_->CueCell() : board::CellIndex{}) {
    const PixelRect r = geometry_.CellRect(Cells(), cue);
    const board::Square square = board::SquareOfIndex(cue);
    FocusCue::Draw(pixels.data(), width, height, width,
                   {r.left - area.left, r.top - area.top, r.right - area.left, r.bottom - area.top},
                   board::IsLightSquare(square.col, square.row));
  }
  // At the window's own size, so what moves over the board is as crisp as the pieces on it.
  PaintOverBoard(*control_, Drawn(), area, pixels.data(), width, Pictures());
  CopyPixels(dc, {area.left, area.top}, pixels, width, height);
}

}  // namespace control::win32
