#pragma once

// The values a caller hands the control (a late-bound call's arguments, a
// screen reader's child ids, property-bag values, ambient properties), as
// the platform adapter describes them. What is a plain value, how far
// references and objects' default values are followed, and which child ids
// are accepted are decided here, so they are tested natively.
#include <cstdint>
#include <optional>

namespace control {

// What a caller's value holds, one kind for each way it must be treated.
enum class ValueKind {
  Empty,
  Null,
  Int32,   // a 32-bit integer: the one kind a child id comes as
  Number,  // any other number, date or currency
  Text,
  Boolean,
  Error,
  Missing,  // the marker of an argument left out
  Variant,  // a reference to another caller's value
  Object,   // stands for its default value
  Array,    // an array or vector of any type
  Other,    // records, and types automation does not know
};

struct CallerValue {
  ValueKind kind = ValueKind::Empty;
  bool byReference = false;
  // The pointer the value holds (its reference or its object) is null.
  bool null = false;
};

enum class Step { Plain, FollowReference, AskObject, Refuse };

// What to do with a value reached `depth` references or objects away from
// what the caller passed; beyond arguments::IndirectionAllowed, or at a null
// pointer, the value leads nowhere.
Step NextStep(CallerValue value, int depth);

// A screen reader's child id: the board itself or one of its 64 squares.
class ChildId {
 public:
  static constexpr ChildId Board() { return ChildId(0); }
  bool IsBoard() const { return number_ == 0; }
  // 0 for the board, else the square's cell index.
  int16_t Number() const { return number_; }
  friend bool operator==(ChildId, ChildId) = default;

 private:
  explicit constexpr ChildId(int16_t number) : number_(number) {}
  friend std::optional<ChildId> ChildIdOf(CallerValue, int32_t);

  int16_t number_;
};

// A child id is a 32-bit integer from 0 to 64 passed by value, or Empty for
// the board. Nothing else is read, followed or converted: the reader's call
// is refused without running any code of the caller's. `number` is the
// integer an Int32 value holds.
std::optional<ChildId> ChildIdOf(CallerValue value, int32_t number);

}  // namespace control
