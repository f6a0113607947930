#pragma once

#include <string>
#include <string_view>

// The core's texts (member and property names, messages, descriptions) are
// ASCII, so one helper widens them for the platform and one compares them.
namespace board {

// The same characters as wide text, and back.
inline std::wstring Wide(std::string_view text) { return {text.begin(), text.end()}; }
inline std::string Narrow(std::wstring_view text) { return {text.begin(), text.end()}; }

// Names compare without regard to case, as automation's do, from wide or narrow text.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::wstring_view a, std::string_view b);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace board
