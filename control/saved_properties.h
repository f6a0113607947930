#pragma once

// Every property a control class saves, described once: its key in a property
// bag, how the stream holds it, its default, the classes that save it and the
// stream version that added it. The bag, the stream and both classes read this
// table. A class's stream of version v holds, in table order, that class's
// properties added in v or earlier; so a new version only appends, and an older
// stream still loads, what it lacks keeping its default.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/property_bag.h"

namespace control {

// Each 16 bits in the stream; a Boolean as -1 or 0.
enum class SavedKind : uint8_t { Boolean, Integer };

// The classes that save properties, as bits of SavedProperty::classes.
enum class SavedClass : uint8_t { OvlChess = 1, OvlBoard = 2 };

struct SavedProperty {
  std::string_view name;
  SavedKind kind;
  int16_t defaultValue;  // a Boolean's True as -1
  uint8_t classes;       // SavedClass bits
  uint16_t version;      // the stream version that first holds it

  constexpr bool SavedBy(SavedClass saving) const { return (classes & static_cast<uint8_t>(saving)) != 0; }
  PropertyValue Default() const {
    return kind == SavedKind::Boolean ? PropertyValue(defaultValue != 0) : PropertyValue(defaultValue);
  }
};

namespace detail {
inline constexpr uint8_t kBoth = 3, kBoardOnly = 2;
}  // namespace detail

inline constexpr SavedProperty kSavedEnabled{"Enabled", SavedKind::Boolean, -1, detail::kBoth, 1};
inline constexpr SavedProperty kSavedPiece{"Piece", SavedKind::Integer, 0, detail::kBoth, 1};
inline constexpr SavedProperty kSavedFlipped{"Flipped", SavedKind::Boolean, 0, detail::kBoardOnly, 2};
inline constexpr SavedProperty kSavedShowCoordinates{"ShowCoordinates", SavedKind::Boolean, 0, detail::kBoardOnly, 2};
inline constexpr SavedProperty kSavedAllowMoves{"AllowMoves", SavedKind::Boolean, -1, detail::kBoardOnly, 2};
inline constexpr SavedProperty kSavedAnimationTime{"AnimationTime", SavedKind::Integer, 200, detail::kBoardOnly, 3};

// In stream order.
inline constexpr const SavedProperty* kSavedProperties[] = {&kSavedEnabled, &kSavedPiece, &kSavedFlipped,
                                                            &kSavedShowCoordinates, &kSavedAllowMoves,
                                                            &kSavedAnimationTime};

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
  for (const SavedProperty* property : SavedIn(saving)) {
    const PropertyValue value = ReadSaved(bag, *property);
    checked.values[std::string(property->name)] = property->kind == SavedKind::Boolean
                                                      ? PropertyValue(ToBoolean(value))
                                                      : PropertyValue(ToInteger(value));
  }
  return checked;
}

}  // namespace control
