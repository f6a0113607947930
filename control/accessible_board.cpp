#include "control/accessible_board.h"

#include "control/ovl_chess.h"

namespace control {

std::string PieceWords(int16_t image) {
  static const char* const kKinds[] = {"pawn", "rook", "knight", "bishop", "queen", "king"};
  if (image >= board::Bpawn && image <= board::Bking) return std::string("red ") + kKinds[image - board::Bpawn];
  if (image >= board::Wpawn && image <= board::Wking) return std::string("cream ") + kKinds[image - board::Wpawn];
  return "empty";
}

std::string ChessName(int16_t cell) {
  const board::Square s = board::SquareOfIndex(cell);
  return {static_cast<char>('a' + s.col - 1), static_cast<char>('0' + board::kBoardSize + 1 - s.row)};
}

AccessibleBoard::AccessibleBoard(OvlChess& control, const CellGrid& cells, const KeyboardInput& keyboard)
    : control_(control), cells_(cells), keyboard_(keyboard) {
  ChangedNames();
}

std::string AccessibleBoard::Name(int16_t cell) const {
  return ChessName(cell) + ", " + PieceWords(cells_.TopImage(cell));
}

std::string AccessibleBoard::Description(int16_t cell) {
  const board::Square s = board::SquareOfIndex(cell);
  return "column " + std::to_string(s.col) + ", row " + std::to_string(s.row);
}

AccessibleStates AccessibleBoard::States(int16_t child) const {
  const bool enabled = control_.Enabled();
  return {enabled, child != kSelf && child == FocusedChild(), !enabled};
}

int16_t AccessibleBoard::FocusedChild() const { return keyboard_.FocusedCell(); }

int16_t AccessibleBoard::Navigate(int16_t from, Direction direction) {
  if (from == kSelf) {
    if (direction == Direction::FirstChild) return 1;
    if (direction == Direction::LastChild) return kChildCount;
    return 0;
  }
  if (!IsChild(from)) return 0;
  const board::Square s = board::SquareOfIndex(from);
  int col = s.col, row = s.row;
  switch (direction) {
    case Direction::Up: --row; break;
    case Direction::Down: ++row; break;
    case Direction::Left: --col; break;
    case Direction::Right: ++col; break;
    case Direction::Next: return IsChild(from + 1) ? static_cast<int16_t>(from + 1) : 0;
    case Direction::Previous: return IsChild(from - 1) ? static_cast<int16_t>(from - 1) : 0;
    case Direction::FirstChild:
    case Direction::LastChild: return 0;  // squares have no children
  }
  if (!board::IsOnBoard(static_cast<int16_t>(col), static_cast<int16_t>(row))) return 0;
  return board::SquareIndex(static_cast<int16_t>(col), static_cast<int16_t>(row));
}

std::vector<int16_t> AccessibleBoard::ChangedNames() {
  std::vector<int16_t> changed;
  for (int16_t cell = 1; cell <= kChildCount; ++cell) {
    const int16_t shown = cells_.Exists(cell) ? cells_.TopImage(cell) : 0;
    if (shown == announced_[cell - 1]) continue;
    announced_[cell - 1] = shown;
    changed.push_back(cell);
  }
  return changed;
}

}  // namespace control
