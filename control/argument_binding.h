#pragma once

// How a late-bound call's arguments reach a member's parameters, by OLE
// automation's rules: positional arguments fill the parameters from the first,
// named ones go to the parameter their number names, and a put's new value
// arrives under the name kPutValueName. The caller's array holds the named
// arguments first, then the positional ones, the first one written last.
#include <array>
#include <optional>
#include <span>

namespace control::arguments {

// The name a put's new value travels under (OLE's DISPID_PROPERTYPUT).
inline constexpr long kPutValueName = -3;

// The most parameters a member of the automation interface takes from its caller.
inline constexpr unsigned kMaxInputs = 4;

// How many by-reference values and object default values are followed to
// reach a value: enough for any script host, and a bound for a value that
// refers to itself or an object whose value is the object.
inline constexpr int kMaxIndirection = 4;

// Whether a value `depth` references or objects away from what the caller
// passed is still followed.
constexpr bool IndirectionAllowed(int depth) { return depth >= 0 && depth <= kMaxIndirection; }

// The parameters a caller passes to a member: all but a get's return value.
// A put's new value is the last of them.
struct Signature {
  unsigned inputs = 0;
  bool put = false;
};

enum class Refusal { None, ParameterNotFound, BadParameterCount };

struct Binding {
  Refusal refusal = Refusal::None;
  // The argument a refusal blames, by its index in the caller's array.
  std::optional<unsigned> culprit;
  // For each input, the index in the caller's array of the argument bound to it.
  std::array<unsigned, kMaxInputs> source{};
};

// Whether the caller's counts describe an array at all: no more named
// arguments than arguments.
constexpr bool CountsAgree(unsigned count, unsigned named) { return named <= count; }

// Binds `count` arguments, the first names.size() of them named by `names`
// (dispatch ids, a long as OLE's DISPID is), to the inputs of a member with
// `signature` (at most kMaxInputs inputs).
Binding Bind(Signature signature, unsigned count, std::span<const long> names);

}  // namespace control::arguments
