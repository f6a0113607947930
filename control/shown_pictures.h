#pragma once

#include <cstddef>
#include <memory>

#include "control/picture_set.h"

namespace control {

// The pictures one board shows at its square size. A size is drawn for the
// boards that show it and let go when they move on, so a board resized again
// and again keeps one size's pictures. Drawing a size takes tens of
// milliseconds: while the size keeps changing, the pictures drawn last are
// scaled to it instead, and Settle draws the size shown.
class ShownPictures {
 public:
  // The pictures for squares of `square` pixels: those drawn at that size when
  // at hand; else scaled when `scaleMeanwhile`, else drawn now.
  const PictureSet& At(int square, bool scaleMeanwhile);
  // The size shown, 0 before the first.
  int Size() const { return shown_ ? shown_->Size() : 0; }
  // Showing scaled pictures, until Settle.
  bool Scaled() const { return shown_ && shown_ != drawn_; }
  void Settle();
  // The pictures of `square` are drawn, here or for another board: showing them costs no drawing or scaling.
  bool DrawnAt(int square) const;
  // What the pictures this board holds take (the 37-pixel set, which every board shares, aside).
  size_t Bytes() const;

 private:
  std::shared_ptr<const PictureSet> shown_;
  // The set drawn last, which scaled ones are made from.
  std::shared_ptr<const PictureSet> drawn_;
};

}  // namespace control
