#include "control/piece_animation.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "board/automation_error.h"
#include "control/picture_set.h"

namespace control {
namespace {

CellIndex CellOf(size_t element) { return CellIndex(static_cast<int16_t>(element + 1)); }

int DistanceSquared(CellIndex a, CellIndex b) {
  const board::Square p = board::SquareOfIndex(a), q = board::SquareOfIndex(b);
  const int dx = p.col.value - q.col.value, dy = p.row.value - q.row.value;
  return dx * dx + dy * dy;
}

int Between(int from, int to, double progress) {
  return from + static_cast<int>(std::lround((to - from) * progress));
}

PixelRect PieceRect(const Slide& slide, double progress, const DrawnBoard& drawn) {
  const PixelRect from = DrawnSquareRect(slide.from, drawn), to = DrawnSquareRect(slide.to, drawn);
  const int left = Between(from.left, to.left, progress), top = Between(from.top, to.top, progress);
  return {left, top, left + drawn.Square(), top + drawn.Square()};
}

}  // namespace

Milliseconds CheckedAnimationTime(int32_t milliseconds) {
  if (milliseconds < 0 || milliseconds > kLongestAnimationTime)
    throw board::InvalidPropertyValueError("AnimationTime is 0 to 2000 milliseconds");
  return Milliseconds(milliseconds);
}

PlacementChange ChangeBetween(const board::Placement& before, const board::Placement& after) {
  PlacementChange change;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    if (board::IsPiece(before[i])) change.vanished.push_back(CellOf(i));
    if (board::IsPiece(after[i])) change.appeared.push_back(CellOf(i));
  }
  struct Candidate {
    int distance;
    CellIndex from, to;
  };
  std::vector<Candidate> candidates;
  for (CellIndex from : change.vanished)
    for (CellIndex to : change.appeared)
      if (before[from.value - 1] == after[to.value - 1]) candidates.push_back({DistanceSquared(from, to), from, to});
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.distance, a.from, a.to) < std::tie(b.distance, b.from, b.to);
  });
  for (const Candidate& c : candidates) {
    auto from = std::find(change.vanished.begin(), change.vanished.end(), c.from);
    auto to = std::find(change.appeared.begin(), change.appeared.end(), c.to);
    if (from == change.vanished.end() || to == change.appeared.end()) continue;
    change.slides.push_back({c.from, c.to, before[c.from.value - 1]});
    change.vanished.erase(from);
    change.appeared.erase(to);
  }
  return change;
}

double EasedProgress(Milliseconds elapsed, Milliseconds duration) {
  if (duration.count() <= 0) return 1;
  const double t = std::clamp(static_cast<double>(elapsed.count()) / static_cast<double>(duration.count()), 0.0, 1.0);
  return t < 0.5 ? 4 * t * t * t : 1 - std::pow(2 - 2 * t, 3) / 2;
}

PixelRect DrawnSquareRect(CellIndex cell, const DrawnBoard& drawn) {
  board::Square s = board::SquareOfIndex(cell);
  const int col = drawn.flipped ? board::kBoardSize - s.col.value : s.col.value - 1;
  const int row = drawn.flipped ? board::kBoardSize - s.row.value : s.row.value - 1;
  const int q = drawn.Square();
  return drawn.geometry.InControl({col * q, row * q, (col + 1) * q, (row + 1) * q});
}

std::vector<PixelRect> PieceAnimation::Start(const board::Placement& before, const board::Placement& after,
                                             Milliseconds duration, const DrawnBoard& drawn) {
  PlacementChange change = ChangeBetween(before, after);
  if (change.slides.empty() || duration.count() <= 0) return {};
  slides_ = std::move(change.slides);
  touched_.clear();
  for (size_t i = 0; i < before.size(); ++i)
    if (before[i] != after[i]) touched_.push_back({CellOf(i), board::IsPiece(before[i]) ? before[i] : board::None});
  for (const Slide& slide : slides_)
    std::find_if(touched_.begin(), touched_.end(), [&](const Touched& t) { return t.cell == slide.from; })->shown =
        board::None;
  running_ = true;
  start_ = clock_.Now();
  duration_ = duration;
  progress_ = 0;
  return TouchedRects(drawn);
}

std::vector<PixelRect> PieceAnimation::NextFrame(const DrawnBoard& drawn) {
  if (!running_) return {};
  const Milliseconds elapsed = clock_.Now() - start_;
  if (elapsed >= duration_) return Finish(drawn);
  const double previous = progress_;
  progress_ = EasedProgress(elapsed, duration_);
  std::vector<PixelRect> rects;
  for (const Slide& slide : slides_)
    rects.push_back(Union(PieceRect(slide, previous, drawn), PieceRect(slide, progress_, drawn)));
  return rects;
}

std::vector<PixelRect> PieceAnimation::Finish(const DrawnBoard& drawn) {
  if (!running_) return {};
  std::vector<PixelRect> rects = TouchedRects(drawn);
  for (const Slide& slide : slides_) rects.push_back(PieceRect(slide, progress_, drawn));
  running_ = false;
  slides_.clear();
  touched_.clear();
  return rects;
}

std::optional<PieceCode> PieceAnimation::ShownBeneath(CellIndex cell) const {
  for (const Touched& t : touched_)
    if (t.cell == cell) return t.shown;
  return std::nullopt;
}

std::vector<SlidingPiece> PieceAnimation::Pieces(const DrawnBoard& drawn) const {
  std::vector<SlidingPiece> pieces;
  for (const Slide& slide : slides_) pieces.push_back({board::ImageOf(slide.code), PieceRect(slide, progress_, drawn)});
  return pieces;
}

std::vector<PixelRect> PieceAnimation::TouchedRects(const DrawnBoard& drawn) const {
  std::vector<PixelRect> rects;
  for (const Touched& t : touched_) rects.push_back(DrawnSquareRect(t.cell, drawn));
  return rects;
}

void SlidingPieces::Attach(OverlaySurface* surface) {
  if (!surface) animation_.Finish({});
  surface_ = surface;
}

void SlidingPieces::Slide(const board::Placement& before, const board::Placement& after) {
  End();
  if (!surface_ || !surface_->AnimationsOn()) return;
  Repaint(animation_.Start(before, after, duration_, surface_->Drawn()));
  if (animation_.Running()) surface_->StartFrames();
}

bool SlidingPieces::Frame() {
  if (surface_) Repaint(animation_.NextFrame(surface_->Drawn()));
  return animation_.Running();
}

void SlidingPieces::End() {
  if (surface_) Repaint(animation_.Finish(surface_->Drawn()));
}

void SlidingPieces::Repaint(const std::vector<PixelRect>& rects) {
  for (const PixelRect& rect : rects) surface_->RepaintRect(rect);
}

void SlideUnderlay::PaintUnder(CellIndex cell, bool showsImages, uint32_t* pixels, ptrdiff_t stride,
                               int square) const {
  const std::optional<PieceCode> shown = animation_.ShownBeneath(cell);
  const bool occupied = shown ? board::IsPiece(*shown) : showsImages;
  inner_.PaintUnder(cell, occupied, pixels, stride, square);
  if (shown && occupied) PaintPiece(board::ImageOf(*shown), 0, 0, pixels, square, square, stride, 0, 0, square);
}

void PaintSlidingPieces(const PieceAnimation& animation, const DrawnBoard& drawn, PixelRect area, uint32_t* pixels,
                        ptrdiff_t stride, const PictureSet& pictures) {
  for (const SlidingPiece& piece : animation.Pieces(drawn))
    PaintPiece(piece.image, piece.rect.left, piece.rect.top, pixels, area.right - area.left, area.bottom - area.top,
               stride, area.left, area.top, pictures);
}

}  // namespace control
