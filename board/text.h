#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The core's texts (member and property names, messages, descriptions) are
// ASCII, so one helper widens them for the platform and one compares them.
namespace board {

// The same characters as wide text, and back: a character beyond ASCII
// narrows to '?', never to the character its low byte names.
inline std::wstring Wide(std::string_view text) { return {text.begin(), text.end()}; }
inline std::string Narrow(std::wstring_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (wchar_t c : text) narrow += static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// The parts one after another. Reserved first: GCC 12 misreads a short
// string grown at its front as an overlapping copy and warns.
std::string Joined(std::initializer_list<std::string_view> parts);

// Names compare without regard to case, as automation's do, from wide or narrow text.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::wstring_view a, std::string_view b);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace board
