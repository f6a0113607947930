#include "control/accessible_board.h"

#include <utility>

#include "control/ovl_chess.h"
#include "control/piece_words.h"

namespace control {

namespace {

// The summary's order of kinds, as indices into kKindWords: king first, pawns last.
constexpr int kSummaryOrder[] = {5, 4, 1, 3, 2, 0};

// The pieces of one colour, or "" when it has none: "Cream: king e1, rooks a1 h1."
std::string ColourSummary(const char* colour, int firstImage,
                          const std::array<ImageNumber, board::kSquareCount>& shown) {
  std::string sentence;
  for (int kind : kSummaryOrder) {
    std::string squares;
    int count = 0;
    // File by file, each from the first rank up.
    for (board::Col col{1}; col.value <= board::kBoardSize; ++col)
      for (board::Row row{board::kBoardSize}; row.value >= 1; --row) {
        const CellIndex cell = board::SquareIndex(col, row);
        if (shown[cell.value - 1].value != firstImage + kind) continue;
        squares.append(" ").append(board::SquareName(cell));
        ++count;
      }
    if (count == 0) continue;
    sentence.append(sentence.empty() ? ": " : ", ").append(kKindWords[kind]).append(count > 1 ? "s" : "").append(squares);
  }
  return sentence.empty() ? sentence : std::string(colour).append(sentence).append(".");
}

}  // namespace

AccessibleBoard::AccessibleBoard(OvlChess& control, const CellGrid& cells, const KeyboardInput& keyboard)
    : control_(control), cells_(cells), keyboard_(keyboard), heardEnabled_(control.Enabled()) {
  TakeChanges();
}

std::string AccessibleBoard::Name(CellIndex cell) const {
  std::string name = board::SquareName(cell) + ", ";
  const auto layers = cells_.Layers(cell);
  std::string pictures;
  for (auto image = layers.rbegin(); image != layers.rend(); ++image)
    if (board::IsPiece(board::PieceCode(*image)))
      pictures.append(pictures.empty() ? "" : " over ").append(PieceWords(ImageNumber{*image}));
  name += pictures.empty() ? "empty" : pictures;
  return name + control_.NameWords(cell);
}

int16_t AccessibleBoard::NavigateAsSeen(int16_t from, Direction direction) const {
  // The four ways on screen turn as the arrow keys do.
  constexpr std::pair<Direction, BoardKey> kArrows[] = {{Direction::Up, BoardKey::Up},
                                                        {Direction::Down, BoardKey::Down},
                                                        {Direction::Left, BoardKey::Left},
                                                        {Direction::Right, BoardKey::Right}};
  for (const auto& [seen, key] : kArrows) {
    if (seen != direction) continue;
    const BoardKey onBoard = control_.View().KeyOnBoard(key);
    for (const auto& [way, arrow] : kArrows)
      if (arrow == onBoard) return Navigate(from, way);
  }
  return Navigate(from, direction);
}

std::string AccessibleBoard::BoardDescription() const {
  const std::string arrows = control_.Description();
  return arrows.empty() ? KeysHelp() : KeysHelp() + " " + arrows;
}

std::string AccessibleBoard::Description(CellIndex cell) const {
  const board::Square s = board::SquareOfIndex(cell);
  return (board::IsLightSquare(s.col, s.row) ? "light square" : "dark square") + control_.DescriptionWords(cell);
}

std::string AccessibleBoard::Summary() const {
  std::array<ImageNumber, board::kSquareCount> shown{};
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
    if (cells_.Exists(cell)) shown[cell.value - 1] = cells_.TopImage(cell);
  const std::string cream = ColourSummary("Cream", board::Wpawn, shown);
  const std::string red = ColourSummary("Red", board::Bpawn, shown);
  if (cream.empty() && red.empty()) return "Empty board.";
  return cream.empty() || red.empty() ? cream + red : cream + " " + red;
}

std::string AccessibleBoard::KeysHelp() const { return std::string(control_.KeysHelp()); }

AccessibleStates AccessibleBoard::States(int16_t child) const {
  const bool square = child != kSelf;
  return {true, square && child == FocusedChild(), !control_.Enabled(), square && control_.Selected(CellIndex(child))};
}

unsigned AccessibleBoard::StateBits(CellIndex cell) const {
  const AccessibleStates states = States(cell.value);
  return (states.unavailable ? 1u : 0u) | (states.selected ? 2u : 0u);
}

int16_t AccessibleBoard::FocusedChild() const { return keyboard_.FocusedCell().value; }

int16_t AccessibleBoard::Navigate(int16_t from, Direction direction) {
  if (from == kSelf) {
    if (direction == Direction::FirstChild) return 1;
    if (direction == Direction::LastChild) return kChildCount;
    return 0;
  }
  if (!IsChild(from)) return 0;
  const board::Square s = board::SquareOfIndex(CellIndex{from});
  int col = s.col.value, row = s.row.value;
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
  const board::Col newCol(static_cast<int16_t>(col));
  const board::Row newRow(static_cast<int16_t>(row));
  if (!board::IsOnBoard(newCol, newRow)) return 0;
  return board::SquareIndex(newCol, newRow).value;
}

std::string AccessibleBoard::Shown(CellIndex cell) const {
  if (!cells_.Exists(cell)) return {};
  const auto layers = cells_.Layers(cell);
  std::string shown(layers.begin(), layers.end());
  return shown + control_.NameWords(cell);
}

namespace {
// Keeps `now` as what was heard; true when it differs from what was.
template <class T>
bool Replaced(T& heard, T now) {
  if (heard == now) return false;
  heard = std::move(now);
  return true;
}
}  // namespace

ReaderChanges AccessibleBoard::TakeChanges() {
  ReaderChanges changes;
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
    HeardSquare& heard = heard_[cell.value - 1];
    if (Replaced(heard.shown, Shown(cell))) changes.names.push_back(cell.value);
    if (Replaced(heard.states, StateBits(cell))) changes.states.push_back(cell.value);
    if (Replaced(heard.description, Description(cell))) changes.descriptions.push_back(cell.value);
  }
  changes.summary = Replaced(heardSummary_, Summary());
  changes.enabled = Replaced(heardEnabled_, control_.Enabled());
  changes.description = Replaced(heardDescription_, BoardDescription());
  return changes;
}

}  // namespace control
