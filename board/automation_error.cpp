#include "board/automation_error.h"

#include "board/text.h"

#include <string>
#include <string_view>

namespace board {


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
  return {error_number::kInvalidPropertyValue, Joined({"Invalid property value: ", what}).c_str()};
}

AutomationError InvalidPropertyArrayIndexError() {
  return {error_number::kInvalidPropertyArrayIndex, "Invalid property array index"};
}

AutomationError InvalidArgumentError(const std::string& what) {
  return {error_number::kInvalidArgument, Joined({"Invalid procedure call or argument: ", what}).c_str()};
}

int16_t CheckedInt16(int64_t value) {
  if (value < INT16_MIN || value > INT16_MAX) throw OverflowError();
  return static_cast<int16_t>(value);
}

}  // namespace board
