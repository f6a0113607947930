#pragma once

#include <array>
#include <cstdint>

#include "board/automation_error.h"
#include "board/squares.h"

namespace board {

// The instance's 65 piece codes: element i holds square i, element 0 belongs to
// no square. It stores whatever it is given; checking codes is not its job.
class BoardStore {
 public:
  static constexpr int32_t kLastIndex = 64;

  PieceCode Read(int32_t index) const { return elements_[Checked(index)]; }
  void Write(int32_t index, PieceCode code) { elements_[Checked(index)] = code; }

 private:
  static size_t Checked(int32_t index) {
    if (index < 0 || index > kLastIndex) throw SubscriptOutOfRangeError();
    return static_cast<size_t>(index);
  }

  std::array<PieceCode, kLastIndex + 1> elements_{};
};

}  // namespace board
