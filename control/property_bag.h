#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace control {

// A value as a property bag holds it. A bag may hold a type other than the one
// a property is saved as (text, 32-bit numbers, reals); reading converts it.
using PropertyValue = std::variant<std::monostate, bool, int16_t, int32_t, double, std::string>;

class PropertyBag {
 public:
  // The value saved under key, or defaultValue when none is.
  virtual PropertyValue ReadProperty(std::string_view key, const PropertyValue& defaultValue) = 0;
  virtual void WriteProperty(std::string_view key, const PropertyValue& value,
                             const PropertyValue& defaultValue) = 0;

 protected:
  ~PropertyBag() = default;
};

// Conversions as automation performs them: empty is False or 0, text must read
// as a number (or True/False), anything else is a type mismatch; a number
// outside the 16-bit range is an overflow.
bool ToBoolean(const PropertyValue& value);
int16_t ToInteger(const PropertyValue& value);

}  // namespace control
