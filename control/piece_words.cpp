#include "control/piece_words.h"

namespace control {

std::string PieceWords(board::ImageNumber image) {
  using board::ImageOf;
  if (image >= ImageOf(board::Bpawn) && image <= ImageOf(board::Bking))
    return std::string("red ") + kKindWords[image.value - board::Bpawn];
  if (image >= ImageOf(board::Wpawn) && image <= ImageOf(board::Wking))
    return std::string("cream ") + kKindWords[image.value - board::Wpawn];
  return "empty";
}

}  // namespace control
