#include "board/automation_error.h"

#include <string>
#include <string_view>

namespace board {

namespace {

// Reserved first: GCC 12 misreads an append to a fresh short string as an overlapping copy.
std::string Joined(std::string_view head, std::string_view tail) {
  std::string text;
  text.reserve(head.size() + tail.size());
  text.append(head).append(tail);
  return text;
}

}  // namespace

AutomationError OverflowError() { return {error_number::kOverflow, "Overflow"}; }

AutomationError SubscriptOutOfRangeError() {
  return {error_number::kSubscriptOutOfRange, "Subscript out of range"};
}

AutomationError TypeMismatchError() { return {error_number::kTypeMismatch, "Type mismatch"}; }

AutomationError InvalidArgumentError() {
  return {error_number::kInvalidArgument, "Invalid procedure call or argument"};
}

AutomationError CellAlreadyLoadedError() {
  return {error_number::kCellAlreadyLoaded, "Object already loaded"};
}

AutomationError NoSuchCellError() {
  return {error_number::kNoSuchCell, "Control array element doesn't exist"};
}

AutomationError NotAtDesignTimeError() {
  return {error_number::kNotAtDesignTime, "Set not supported at runtime"};
}

AutomationError ImageIndexOutOfBoundsError() {
  return {error_number::kImageIndexOutOfBounds, "Index out of bounds"};
}

AutomationError InvalidPropertyValueError(const std::string& what) {
  return {error_number::kInvalidPropertyValue, Joined("Invalid property value: ", what).c_str()};
}

AutomationError InvalidPropertyArrayIndexError() {
  return {error_number::kInvalidPropertyArrayIndex, "Invalid property array index"};
}

AutomationError InvalidArgumentError(const std::string& what) {
  return {error_number::kInvalidArgument, Joined("Invalid procedure call or argument: ", what).c_str()};
}

int16_t CheckedInt16(int64_t value) {
  if (value < INT16_MIN || value > INT16_MAX) throw OverflowError();
  return static_cast<int16_t>(value);
}

}  // namespace board
