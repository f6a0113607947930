#pragma once

#include <string>

#include "board/squares.h"

namespace control {

// The kinds as a reader hears them, from the pawn up, in the pictures' order.
inline constexpr const char* kKindWords[] = {"pawn", "rook", "knight", "bishop", "queen", "king"};

// The words for what a picture shows: "cream pawn", "red king", or "empty".
std::string PieceWords(board::ImageNumber image);

}  // namespace control
