#include "control/property_bag.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "board/automation_error.h"
#include "board/text.h"

namespace control {

namespace {

using board::EqualsIgnoringCase;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::optional<double> NumberInText(std::string_view text) {
  text = Trimmed(text);
  if (EqualsIgnoringCase(text, "True")) return -1.0;
  if (EqualsIgnoringCase(text, "False")) return 0.0;
  if (text.empty()) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const double number = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(number)) return std::nullopt;
  return number;
}

// Any value as a real, the way automation widens before it narrows.
double AsNumber(const PropertyValue& value) {
  struct Visitor {
    double operator()(std::monostate) const { return 0; }
    double operator()(bool b) const { return b ? -1 : 0; }
    double operator()(int16_t n) const { return n; }
    double operator()(int32_t n) const { return n; }
    double operator()(double d) const { return d; }
    double operator()(const std::string& text) const {
      if (auto number = NumberInText(text)) return *number;
      throw board::TypeMismatchError();
    }
  };
  return std::visit(Visitor{}, value);
}

}  // namespace

bool ToBoolean(const PropertyValue& value) { return AsNumber(value) != 0; }

namespace {

// Reals round half to even, as automation's conversions do.
template <class Integer>
Integer Rounded(const PropertyValue& value) {
  const double rounded = std::nearbyint(AsNumber(value));
  if (!(rounded >= std::numeric_limits<Integer>::min() && rounded <= std::numeric_limits<Integer>::max()))
    throw board::OverflowError();
  return static_cast<Integer>(rounded);
}

}  // namespace

int16_t ToInteger(const PropertyValue& value) { return Rounded<int16_t>(value); }
int32_t ToLong(const PropertyValue& value) { return Rounded<int32_t>(value); }

PropertyValue BagValue(ValueKind kind, const PropertyValue& held, const PropertyValue& defaultValue) {
  switch (kind) {
    case ValueKind::Empty: return defaultValue;
    case ValueKind::Int32:
    case ValueKind::Number:
    case ValueKind::Text:
    case ValueKind::Boolean: return held;
    default: throw board::TypeMismatchError();
  }
}

}  // namespace control
