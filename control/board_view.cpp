#include "control/board_view.h"

#include <algorithm>

#include "board/automation_error.h"
#include "control/picture_set.h"

namespace control {

namespace {

constexpr int16_t kMirror = board::kBoardSize + 1;

}  // namespace

CellIndex CheckedSquare(int16_t col, int16_t row) {
  if (!board::IsOnBoard(board::Col(col), board::Row(row))) throw board::InvalidPropertyArrayIndexError();
  return board::SquareIndex(board::Col(col), board::Row(row));
}

Square BoardView::DrawnAt(Square onBoard) const {
  if (!flipped_) return onBoard;
  return {board::Col(static_cast<int16_t>(kMirror - onBoard.col.value)),
          board::Row(static_cast<int16_t>(kMirror - onBoard.row.value))};
}

CellIndex BoardView::DrawnAt(CellIndex onBoard) const {
  const Square drawn = DrawnAt(board::SquareOfIndex(onBoard));
  return board::SquareIndex(drawn.col, drawn.row);
}

CellPlacement BoardView::Placement(CellIndex cell) const {
  const Square drawn = DrawnAt(board::SquareOfIndex(cell));
  return {static_cast<float>((drawn.col.value - 1) * kPictureSize),
          static_cast<float>((drawn.row.value - 1) * kPictureSize)};
}

BoardKey BoardView::KeyOnBoard(BoardKey seen) const {
  if (!flipped_) return seen;
  switch (seen) {
    case BoardKey::Left: return BoardKey::Right;
    case BoardKey::Right: return BoardKey::Left;
    case BoardKey::Up: return BoardKey::Down;
    case BoardKey::Down: return BoardKey::Up;
    case BoardKey::Home: return BoardKey::End;
    case BoardKey::End: return BoardKey::Home;
    case BoardKey::PageUp: return BoardKey::PageDown;
    case BoardKey::PageDown: return BoardKey::PageUp;
    default: return seen;
  }
}

MarkNum BoardView::Mark(int16_t col, int16_t row) const {
  return MarkOf(CheckedSquare(col, row));
}

bool BoardView::SetMark(int16_t col, int16_t row, int32_t kind) {
  const CellIndex cell = CheckedSquare(col, row);
  if (kind < mkNone || kind > mkTarget)
    throw board::InvalidPropertyValueError("Mark " + std::to_string(kind) + " is none of 0 to 4 (MarkNum)");
  MarkNum& mark = marks_[cell.value - 1];
  const bool changed = mark != kind;
  mark = static_cast<MarkNum>(kind);
  return changed;
}

std::vector<CellIndex> BoardView::ClearMarks(bool liftsOnly) {
  std::vector<CellIndex> cleared;
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell) {
    MarkNum& mark = marks_[cell.value - 1];
    if (mark == mkNone || (liftsOnly && mark != mkSelected && mark != mkTarget)) continue;
    mark = mkNone;
    cleared.push_back(cell);
  }
  return cleared;
}

void BoardView::DrawArrow(int16_t fromCol, int16_t fromRow, int16_t toCol, int16_t toRow) {
  const BoardArrow arrow{{board::Col(fromCol), board::Row(fromRow)}, {board::Col(toCol), board::Row(toRow)}};
  if (!board::IsOnBoard(arrow.from.col, arrow.from.row) || !board::IsOnBoard(arrow.to.col, arrow.to.row))
    throw board::InvalidArgumentError("an arrow's squares are columns and rows 1 to 8");
  if (arrow.from == arrow.to) throw board::InvalidArgumentError("an arrow needs two different squares");
  if (std::find(arrows_.begin(), arrows_.end(), arrow) != arrows_.end()) return;
  if (arrows_.size() == kMostArrows)
    throw board::InvalidArgumentError("the board holds at most 64 arrows; ClearArrows first");
  arrows_.push_back(arrow);
}

bool BoardView::ClearArrows() {
  const bool had = !arrows_.empty();
  arrows_.clear();
  return had;
}

std::string BoardView::ArrowsDescription() const {
  if (arrows_.empty()) return {};
  std::string text = "Arrows: ";
  for (size_t i = 0; i < arrows_.size(); ++i) {
    const BoardArrow& a = arrows_[i];
    text.append(i ? ", " : "")
        .append(board::SquareName(board::SquareIndex(a.from.col, a.from.row)))
        .append(" to ")
        .append(board::SquareName(board::SquareIndex(a.to.col, a.to.row)));
  }
  return text + ".";
}

CoordinateLabels BoardView::Labels(CellIndex cell) const {
  return showCoordinates_ ? EdgeLabels(cell) : CoordinateLabels{};
}

CoordinateLabels BoardView::EdgeLabels(CellIndex cell) const {
  const Square onBoard = board::SquareOfIndex(cell);
  const Square drawn = DrawnAt(onBoard);
  CoordinateLabels labels;
  if (drawn.row.value == board::kBoardSize) labels.file = board::FileOf(onBoard.col);
  if (drawn.col.value == 1) labels.rank = board::RankOf(onBoard.row);
  return labels;
}

std::vector<CellIndex> BoardView::LabelledCells() const {
  std::vector<CellIndex> cells;
  for (CellIndex cell = board::kFirstCell; cell <= board::kLastCell; ++cell)
    if (EdgeLabels(cell)) cells.push_back(cell);
  return cells;
}

std::string_view MarkWords(MarkNum mark) {
  switch (mark) {
    case mkSelected: return "selected";
    case mkLastMove: return "last move";
    case mkCheck: return "check";
    case mkTarget: return "target";
    default: return {};
  }
}

std::string MarkedName(std::string name, MarkNum mark) {
  const std::string_view words = MarkWords(mark);
  if (!words.empty()) name.append(", ").append(words);
  return name;
}

}  // namespace control
