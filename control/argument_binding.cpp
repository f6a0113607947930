#include "control/argument_binding.h"

#include <algorithm>

namespace control::arguments {

namespace {

constexpr unsigned kUnbound = ~0u;

Binding Refused(Refusal refusal, std::optional<unsigned> culprit = std::nullopt) {
  Binding binding;
  binding.refusal = refusal;
  binding.culprit = culprit;
  return binding;
}

}  // namespace

Binding Bind(Signature signature, unsigned count, std::span<const long> names) {
  const auto named = static_cast<unsigned>(names.size());
  if (!CountsAgree(count, named) || signature.inputs > kMaxInputs || (signature.put && signature.inputs == 0))
    return Refused(Refusal::BadParameterCount);
  // Without its name the put's value has no place; the caller meant it to be
  // the argument that stands first in the array, where OLE puts that name.
  if (signature.put && std::ranges::find(names, kPutValueName) == names.end())
    return Refused(Refusal::ParameterNotFound, count > 0 ? std::optional<unsigned>(0) : std::nullopt);
  const unsigned positional = count - named;
  const unsigned indexed = signature.put ? signature.inputs - 1 : signature.inputs;
  if (positional > indexed) return Refused(Refusal::BadParameterCount);

  Binding binding;
  binding.source.fill(kUnbound);
  for (unsigned i = 0; i < positional; ++i) binding.source[i] = count - 1 - i;
  for (unsigned j = 0; j < named; ++j) {
    const long name = names[j];
    const unsigned target = signature.put && name == kPutValueName               ? indexed
                            : name >= 0 && static_cast<unsigned>(name) < indexed ? static_cast<unsigned>(name)
                                                                                 : kUnbound;
    if (target == kUnbound || binding.source[target] != kUnbound) return Refused(Refusal::ParameterNotFound, j);
    binding.source[target] = j;
  }
  for (unsigned i = 0; i < signature.inputs; ++i)
    if (binding.source[i] == kUnbound) return Refused(Refusal::BadParameterCount);
  return binding;
}

}  // namespace control::arguments
