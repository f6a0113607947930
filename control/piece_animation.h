#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "board/fen.h"
#include "board/squares.h"
#include "control/board_geometry.h"
#include "control/cell_grid.h"

namespace control {

using board::PieceCode;
using Milliseconds = std::chrono::milliseconds;

// How long a slide takes, as AnimationTime reads and writes it; 0 turns sliding off.
constexpr int32_t kDefaultAnimationTime = 200;
constexpr int32_t kLongestAnimationTime = 2000;
// Error 380 outside 0..kLongestAnimationTime.
Milliseconds CheckedAnimationTime(int32_t milliseconds);

// Where time comes from: the window's steady clock, or a test's hand.
class Clock {
 public:
  virtual Milliseconds Now() const = 0;

 protected:
  ~Clock() = default;
};

class SteadyClock final : public Clock {
 public:
  Milliseconds Now() const override {
    return std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  }
};
inline const SteadyClock kSteadyClock;

// Time that moves only when told: the in-memory host's, and a window test's.
class ManualClock final : public Clock {
 public:
  Milliseconds Now() const override { return now_; }
  void Advance(Milliseconds by) { now_ += by; }

 private:
  Milliseconds now_{0};
};

// A piece that left one square and reached another in one change of the position.
struct Slide {
  CellIndex from, to;
  PieceCode code;
  friend bool operator==(const Slide&, const Slide&) = default;
};

// What a change of position does to the pieces: some slide; those left over
// vanish from their squares or appear on theirs.
struct PlacementChange {
  std::vector<Slide> slides;
  std::vector<CellIndex> vanished;
  std::vector<CellIndex> appeared;
};

// Each vanished piece is paired with the nearest appearing piece of the same
// code (straight-line distance; ties go to the lower squares), nearest pairs first,
// so castling slides king and rook and a capture slides the capturer.
PlacementChange ChangeBetween(const board::Placement& before, const board::Placement& after);

// The fraction of the way a slide has gone after `elapsed` of `duration`: it
// starts and stops gently (cubic in and out), so at half the time it is half way.
double EasedProgress(Milliseconds elapsed, Milliseconds duration);

// Where the window draws the board: its geometry (the square's side and the
// board's place in the control, in device pixels) and which way up it is.
struct DrawnBoard {
  BoardGeometry geometry;
  bool flipped = false;
  int Square() const { return geometry.Square(); }
};

// What sliding pieces and the promotion choice need of the window showing the board.
class OverlaySurface {
 public:
  virtual DrawnBoard Drawn() = 0;
  // `rect` in the control's device pixels.
  virtual void RepaintRect(PixelRect rect) = 0;
  // Windows' "Show animations in Windows": off, nothing slides.
  virtual bool AnimationsOn() { return true; }
  // From now on, SlidingPieces::Frame at the display's rate until it answers false.
  virtual void StartFrames() {}

 protected:
  ~OverlaySurface() = default;
};

// The control's device rectangle where board square `cell` is drawn.
PixelRect DrawnSquareRect(CellIndex cell, const DrawnBoard& drawn);

struct SlidingPiece {
  ImageNumber image;
  PixelRect rect;
};

// Pieces sliding from an old position to the one the board already holds: the
// board's state changed at once, only the pixels follow. While it runs, a
// square the change touched shows what it showed before (a piece that left it
// leaves it bare), the moving pieces are drawn over the board, and at the end
// every square shows the board as written. The frame's time is taken once per
// frame, so painting draws the pieces where the repainted rectangles expect them.
class PieceAnimation {
 public:
  explicit PieceAnimation(const Clock& clock) : clock_(clock) {}

  // Slides what moved from `before` to `after`. Nothing runs when nothing
  // slides or `duration` is 0; a running animation must be finished first.
  // Returns the rectangles to repaint.
  std::vector<PixelRect> Start(const board::Placement& before, const board::Placement& after, Milliseconds duration,
                               const DrawnBoard& drawn);
  bool Running() const { return running_; }

  // Moves on to the clock's time and returns the rectangles to repaint: where
  // each piece was drawn and where it is now; when the time is up it ends, with its squares.
  std::vector<PixelRect> NextFrame(const DrawnBoard& drawn);
  // Ends at once (a write, a lift): returns the rectangles to repaint.
  std::vector<PixelRect> Finish(const DrawnBoard& drawn);

  // What square `cell` shows beneath the sliding pieces while running (None
  // for bare), or nothing where it shows the board as written.
  std::optional<PieceCode> ShownBeneath(CellIndex cell) const;
  // The sliding pieces at the frame's time.
  std::vector<SlidingPiece> Pieces(const DrawnBoard& drawn) const;

 private:
  struct Touched {
    CellIndex cell;
    PieceCode shown;
  };

  std::vector<PixelRect> TouchedRects(const DrawnBoard& drawn) const;

  const Clock& clock_;
  bool running_ = false;
  Milliseconds start_{}, duration_{};
  double progress_ = 0;
  std::vector<Slide> slides_;
  std::vector<Touched> touched_;
};

// The board's slides: how long they take, the one running, and its frames.
// Without a window, or with a time of 0, nothing slides.
class SlidingPieces {
 public:
  explicit SlidingPieces(const Clock& clock) : animation_(clock) {}

  int32_t AnimationTime() const { return static_cast<int32_t>(duration_.count()); }
  // Error 380 outside 0..kLongestAnimationTime.
  void SetAnimationTime(int32_t milliseconds) { duration_ = CheckedAnimationTime(milliseconds); }
  // The window showing the board from now on, or nullptr when it is gone.
  void Attach(OverlaySurface* surface);

  // The board went from `before` to `after`: what moved slides.
  void Slide(const board::Placement& before, const board::Placement& after);
  // One frame at the window's rate; false once the slide is over.
  bool Frame();
  // A write or a lift: the board shows its end at once.
  void End();
  const PieceAnimation& Animation() const { return animation_; }

 private:
  void Repaint(const std::vector<PixelRect>& rects);

  PieceAnimation animation_;
  Milliseconds duration_{0};
  OverlaySurface* surface_ = nullptr;
};

// The squares a running slide touched, shown as they were before it: beneath
// their pieces what `inner` paints (marks, labels), then the piece each showed.
class SlideUnderlay final : public CellUnderlay {
 public:
  SlideUnderlay(const PieceAnimation& animation, const CellUnderlay& inner) : animation_(animation), inner_(inner) {}
  void PaintUnder(CellIndex cell, bool showsImages, uint32_t* pixels, ptrdiff_t stride, int square) const override;
  bool ShowsImages(CellIndex cell) const override {
    return !animation_.ShownBeneath(cell) && inner_.ShowsImages(cell);
  }

 private:
  const PieceAnimation& animation_;
  const CellUnderlay& inner_;
};

// The sliding pieces over pixels of `area` (device pixels of the control, rows
// `stride` apart), drawn with `pictures` of the square's size: the top layer, over the arrows.
void PaintSlidingPieces(const PieceAnimation& animation, const DrawnBoard& drawn, PixelRect area, uint32_t* pixels,
                        ptrdiff_t stride, const PictureSet& pictures);

}  // namespace control
