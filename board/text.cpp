#include "board/text.h"

#include <cwctype>
#include <type_traits>

namespace board {

namespace {

template <class Char>
std::wint_t LowerOf(Char c) {
  return std::towlower(static_cast<std::make_unsigned_t<Char>>(c));
}

template <class CharA, class CharB>
bool SameIgnoringCase(std::basic_string_view<CharA> a, std::basic_string_view<CharB> b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerOf(a[i]) != LowerOf(b[i])) return false;
  return true;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) { return SameIgnoringCase(a, b); }
bool EqualsIgnoringCase(std::wstring_view a, std::string_view b) { return SameIgnoringCase(a, b); }
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) { return SameIgnoringCase(a, b); }

std::string Joined(std::initializer_list<std::string_view> parts) {
  size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace board
