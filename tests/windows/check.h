#pragma once

// A minimal check harness for the Windows test programs: each failure is
// printed with its line and the current context; Result() is the exit code.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <type_traits>
#include <utility>

#include "board/text.h"

namespace check {

inline int failures = 0;
inline std::string context;  // what is being checked, e.g. a member's name

using board::Narrow;

// The HRESULT a caller sees for automation error `number` (Err.Number in a script host).
constexpr HRESULT AutomationError(int number) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number); }
inline std::string Show(const std::wstring& text) { return '"' + Narrow(text) + '"'; }
inline std::string Show(const std::string& text) { return '"' + text + '"'; }
inline std::string Show(const wchar_t* text) { return text ? Show(std::wstring(text)) : "null"; }
inline std::string Show(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return Narrow(text);
}
template <class T>
  requires std::is_integral_v<T> || std::is_enum_v<T>
std::string Show(T value) {
  char text[48];
  std::snprintf(text, sizeof text, "%lld (0x%llx)", static_cast<long long>(value),
                static_cast<unsigned long long>(value));
  return text;
}

inline void Fail(int line, const std::string& what) {
  ++failures;
  std::printf("line %d [%s]: %s\n", line, context.c_str(), what.c_str());
}

template <class Actual, class Expected>
bool Same(const Actual& actual, const Expected& expected) {
  if constexpr (std::is_integral_v<Actual> && std::is_integral_v<Expected>)
    return std::cmp_equal(actual, expected);
  else
    return actual == expected;
}

template <class Actual, class Expected>
void Equal(const Actual& actual, const Expected& expected, const char* what, int line) {
  if (!Same(actual, expected)) Fail(line, std::string(what) + " is " + Show(actual) + ", expected " + Show(expected));
}

inline int Result() {
  if (failures) std::printf("%d failure(s)\n", failures);
  return failures ? 1 : 0;
}

}  // namespace check

#define CHECK(condition) ((condition) ? void() : check::Fail(__LINE__, #condition))
#define CHECK_EQ(actual, expected) check::Equal((actual), (expected), #actual, __LINE__)
