#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "control/caller_value.h"

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

// A bag in memory that keeps what is written, values equal to their default
// included: the form the component's own stream format is read into and written from.
class MemoryPropertyBag : public PropertyBag {
 public:
  std::map<std::string, PropertyValue, std::less<>> values;

  PropertyValue ReadProperty(std::string_view key, const PropertyValue& defaultValue) override {
    const auto found = values.find(key);
    return found == values.end() ? defaultValue : found->second;
  }
  void WriteProperty(std::string_view key, const PropertyValue& value, const PropertyValue&) override {
    values.insert_or_assign(std::string(key), value);
  }
};

// Conversions as automation performs them: empty is False or 0, text must read
// as a number (or True/False), anything else is a type mismatch; a number
// outside the integer's range is an overflow.
bool ToBoolean(const PropertyValue& value);
int16_t ToInteger(const PropertyValue& value);
int32_t ToLong(const PropertyValue& value);

// What a container's bag holds under a key, as the property reads it: `held`
// is the plain value a bag answered, of kind `kind`. Empty is what a container
// writes for no value, so it reads as absent (the default), not as False or 0;
// Null, an error, or a value that leads nowhere is a type mismatch.
PropertyValue BagValue(ValueKind kind, const PropertyValue& held, const PropertyValue& defaultValue);

}  // namespace control
