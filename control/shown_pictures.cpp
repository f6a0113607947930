#include "control/shown_pictures.h"

#include <utility>

namespace control {

namespace {

// The 37-pixel set lives as long as the process: held without owning.
std::shared_ptr<const PictureSet> Drawn(int square) {
  if (square == kPictureSize) return {std::shared_ptr<void>(), &PictureSet::Shared()};
  return PictureSet::Held(square);
}

}  // namespace

const PictureSet& ShownPictures::At(int square, bool scaleMeanwhile) {
  if (shown_ && shown_->Size() == square) return *shown_;
  if (std::shared_ptr<const PictureSet> held = square == kPictureSize ? nullptr : PictureSet::HeldIfDrawn(square)) {
    shown_ = drawn_ = std::move(held);
    return *shown_;
  }
  if (scaleMeanwhile && square != kPictureSize) {
    shown_ = PictureSet::ScaledFrom(drawn_ ? *drawn_ : PictureSet::Shared(), square);
    return *shown_;
  }
  shown_ = drawn_ = Drawn(square);
  return *shown_;
}

void ShownPictures::Settle() {
  if (Scaled()) shown_ = drawn_ = Drawn(shown_->Size());
}

bool ShownPictures::DrawnAt(int square) const {
  if (shown_ && shown_->Size() == square) return !Scaled();
  return square == kPictureSize || PictureSet::HeldIfDrawn(square) != nullptr;
}

size_t ShownPictures::Bytes() const {
  size_t bytes = 0;
  for (const PictureSet* set : {shown_.get(), drawn_ == shown_ ? nullptr : drawn_.get()})
    if (set && set != &PictureSet::Shared()) bytes += set->Bytes();
  return bytes;
}

}  // namespace control
