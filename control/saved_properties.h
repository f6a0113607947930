#pragma once

// Every property a control class saves, described once: its key in a property
// bag, how the stream holds it, its default, the classes that save it and the
// stream version that added it. The bag, the stream and both classes read this
// table. A class's stream of version v holds, in table order, that class's
// properties added in v or earlier; so a new version only appends, and an older
// stream still loads, what it lacks keeping its default.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "board/automation_error.h"
#include "control/extent.h"
#include "control/property_bag.h"

namespace control {

// A Boolean (-1 or 0) and an Integer take 16 bits in the stream, a Long 32.
enum class SavedKind : uint8_t { Boolean, Integer, Long };

// The classes that save properties, as bits of SavedProperty::classes.
enum class SavedClass : uint8_t { OvlChess = 1, OvlBoard = 2 };

struct SavedProperty {
  std::string_view name;
  SavedKind kind;
  int32_t defaultValue;  // a Boolean's True as -1
  uint8_t classes;       // SavedClass bits
  uint16_t version;      // the stream version that first holds it
  // The values a load accepts; any other refuses the whole load.
  int32_t least = std::numeric_limits<int16_t>::min();
  int32_t most = std::numeric_limits<int16_t>::max();

  constexpr bool SavedBy(SavedClass saving) const { return (classes & static_cast<uint8_t>(saving)) != 0; }
  PropertyValue Default() const {
    switch (kind) {
      case SavedKind::Boolean: return PropertyValue(defaultValue != 0);
      case SavedKind::Integer: return PropertyValue(static_cast<int16_t>(defaultValue));
      case SavedKind::Long: break;
    }
    return PropertyValue(defaultValue);
  }
  // `value` converted to this property's kind; error 380 outside its range.
  PropertyValue Checked(const PropertyValue& value) const;
};

inline PropertyValue SavedProperty::Checked(const PropertyValue& value) const {
  if (kind == SavedKind::Boolean) return PropertyValue(ToBoolean(value));
  const int32_t number = kind == SavedKind::Long ? ToLong(value) : ToInteger(value);
  if (number < least || number > most)
    throw board::InvalidPropertyValueError(std::string(name) + " is " + std::to_string(least) + " to " +
                                           std::to_string(most));
  return kind == SavedKind::Long ? PropertyValue(number) : PropertyValue(static_cast<int16_t>(number));
}

namespace detail {
inline constexpr uint8_t kBoth = 3, kBoardOnly = 2;
}  // namespace detail

inline constexpr SavedProperty kSavedEnabled{"Enabled", SavedKind::Boolean, -1, detail::kBoth, 1};
inline constexpr SavedProperty kSavedPiece{"Piece", SavedKind::Integer, 0, detail::kBoth, 1};
inline constexpr SavedProperty kSavedFlipped{"Flipped", SavedKind::Boolean, 0, detail::kBoardOnly, 2};
inline constexpr SavedProperty kSavedShowCoordinates{"ShowCoordinates", SavedKind::Boolean, 0, detail::kBoardOnly, 2};
inline constexpr SavedProperty kSavedAllowMoves{"AllowMoves", SavedKind::Boolean, -1, detail::kBoardOnly, 2};
inline constexpr SavedProperty kSavedMovableSide{"MovableSide", SavedKind::Integer, 3, detail::kBoardOnly, 3, 0, 3};
// The control's size in HIMETRIC, under the keys form designers use; from a
// hundredth of a millimetre to ten metres.
inline constexpr SavedProperty kSavedExtentX{"_ExtentX", SavedKind::Long, kDefaultExtentSide, detail::kBoardOnly, 3,
                                             1, 1'000'000};
inline constexpr SavedProperty kSavedExtentY{"_ExtentY", SavedKind::Long, kDefaultExtentSide, detail::kBoardOnly, 3,
                                             1, 1'000'000};
// Milliseconds a moved piece slides; 0 turns sliding off.
inline constexpr SavedProperty kSavedAnimationTime{"AnimationTime", SavedKind::Integer, 200, detail::kBoardOnly, 3,
                                                   0, 2000};

// In stream order.
inline constexpr const SavedProperty* kSavedProperties[] = {&kSavedEnabled, &kSavedPiece, &kSavedFlipped,
                                                            &kSavedShowCoordinates, &kSavedAllowMoves,
                                                            &kSavedMovableSide,     &kSavedExtentX,
                                                            &kSavedExtentY,         &kSavedAnimationTime};

// The newest stream version `saving` writes: the latest that added one of its properties.
constexpr uint16_t NewestVersion(SavedClass saving) {
  uint16_t newest = 0;
  for (const SavedProperty* property : kSavedProperties)
    if (property->SavedBy(saving) && property->version > newest) newest = property->version;
  return newest;
}

// What `saving`'s stream of `version` holds, in order.
inline std::vector<const SavedProperty*> SavedIn(SavedClass saving, uint16_t version) {
  std::vector<const SavedProperty*> fields;
  for (const SavedProperty* property : kSavedProperties)
    if (property->SavedBy(saving) && property->version <= version) fields.push_back(property);
  return fields;
}
inline std::vector<const SavedProperty*> SavedIn(SavedClass saving) { return SavedIn(saving, NewestVersion(saving)); }

// A class's handlers read and write their properties through these.
inline PropertyValue ReadSaved(PropertyBag& bag, const SavedProperty& property) {
  return bag.ReadProperty(property.name, property.Default());
}
inline void WriteSaved(PropertyBag& bag, const SavedProperty& property, const PropertyValue& value) {
  bag.WriteProperty(property.name, value, property.Default());
}

// Every property `saving` saves, read from `bag` and converted to its kind. A
// value that cannot be read fails here, before a class applies any of them, so
// a refused load changes nothing; reading the result cannot fail.
inline MemoryPropertyBag CheckedSaved(PropertyBag& bag, SavedClass saving) {
  MemoryPropertyBag checked;
  for (const SavedProperty* property : SavedIn(saving))
    checked.values[std::string(property->name)] = property->Checked(ReadSaved(bag, *property));
  return checked;
}

}  // namespace control
