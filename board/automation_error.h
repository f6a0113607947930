#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace board {

// The one error type of the core. It carries the automation error number a host
// sees (Err.Number in a script host); the component turns it into an HRESULT at
// its boundary.
class AutomationError : public std::runtime_error {
 public:
  AutomationError(int32_t number, const char* description)
      : std::runtime_error(description), number_(number) {}

  int32_t number() const { return number_; }

 private:
  int32_t number_;
};

namespace error_number {
constexpr int32_t kOverflow = 6;
constexpr int32_t kSubscriptOutOfRange = 9;
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kInvalidArgument = 5;
constexpr int32_t kNoSuchCell = 340;
constexpr int32_t kCellAlreadyLoaded = 360;
constexpr int32_t kInvalidPropertyValue = 380;
constexpr int32_t kInvalidPropertyArrayIndex = 381;
constexpr int32_t kNotAtDesignTime = 382;
// The common-controls image list answers an image number it does not hold
// with this number and text; hosts written against it already know them.
constexpr int32_t kImageIndexOutOfBounds = 35600;
}  // namespace error_number

AutomationError OverflowError();
AutomationError SubscriptOutOfRangeError();
AutomationError TypeMismatchError();
AutomationError InvalidArgumentError();
AutomationError NoSuchCellError();
AutomationError CellAlreadyLoadedError();
AutomationError NotAtDesignTimeError();
AutomationError ImageIndexOutOfBoundsError();
// A property value the control cannot take; `what` says what is wrong with it.
AutomationError InvalidPropertyValueError(const std::string& what);
AutomationError InvalidPropertyArrayIndexError();
// A call whose arguments cannot be carried out, with the reason.
AutomationError InvalidArgumentError(const std::string& what);

// 16-bit signed arithmetic as the automation interface defines it: a result that
// does not fit raises the overflow error instead of wrapping.
int16_t CheckedInt16(int64_t value);

}  // namespace board
