#include "control/caller_value.h"

#include "board/squares.h"
#include "control/argument_binding.h"

namespace control {

namespace {

// Values read without following any pointer of the caller's but the one a
// by-reference value holds. Empty and Null have no by-reference form.
bool IsPlain(CallerValue value) {
  switch (value.kind) {
    case ValueKind::Empty:
    case ValueKind::Null: return !value.byReference;
    case ValueKind::Int32:
    case ValueKind::Number:
    case ValueKind::Text:
    case ValueKind::Boolean:
    case ValueKind::Error:
    case ValueKind::Missing: return true;
    default: return false;
  }
}

}  // namespace

Step NextStep(CallerValue value, int depth) {
  if (!arguments::IndirectionAllowed(depth) || value.null) return Step::Refuse;
  if (value.kind == ValueKind::Variant) return value.byReference ? Step::FollowReference : Step::Refuse;
  if (value.kind == ValueKind::Object) return Step::AskObject;
  return IsPlain(value) ? Step::Plain : Step::Refuse;
}

std::optional<ChildId> ChildIdOf(CallerValue value, int32_t number) {
  if (value.byReference || value.null) return std::nullopt;
  if (value.kind == ValueKind::Empty) return ChildId::Board();
  if (value.kind != ValueKind::Int32 || number < 0 || number > board::kSquareCount) return std::nullopt;
  return ChildId(static_cast<int16_t>(number));
}

}  // namespace control
