#pragma once

// The COM toolkit (this folder) stands alone: it knows COM, not the control.
// Its one seam is how errors reach callers. Code throws; com::Guarded, the
// one catch, turns the exception into an HRESULT with error information.
// What an exception means to a caller is the user's to say: at start-up the
// component calls SetErrorSource with its interface id and ProgID (the
// IErrorInfo GUID and source) and a function that reads the automation error
// number and description from an exception of its own. The toolkit itself
// knows only PlatformFailure, an HRESULT a platform call returned.
#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

// Passes a failed HRESULT on. Anything else (a BOOL, a bool, a count) is
// refused at compile time rather than silently read as one.
#define RETURN_IF_FAILED(expression)                                                                                 \
  do {                                                                                                               \
    const auto hr_ = (expression);                                                                                   \
    static_assert(std::is_same_v<std::remove_const_t<decltype(hr_)>, HRESULT>, "RETURN_IF_FAILED takes an HRESULT"); \
    if (FAILED(hr_)) return hr_;                                                                                     \
  } while (0)

namespace com {

// An error as a caller sees it: Err.Number in a script host and its text.
// A negative number is an HRESULT itself; the control's own are small positives.
struct AutomationFault {
  int32_t number;
  std::wstring description;
};

// Who reports an error: the IErrorInfo GUID (an interface id) and source (a ProgID).
struct ErrorOrigin {
  GUID interfaceId;
  const wchar_t* progId;
};

// Where a module's errors come from unless a caller names another origin, and
// which of its exceptions are automation errors (nullopt for any other exception).
struct ErrorSource {
  GUID interfaceId;
  const wchar_t* progId;
  std::optional<AutomationFault> (*faultOf)(const std::exception&);
};
void SetErrorSource(const ErrorSource& source);

// A platform call that failed with an HRESULT; the caller sees that HRESULT.
class PlatformFailure : public std::exception {
 public:
  explicit PlatformFailure(HRESULT hr) : hr_(hr) {}
  HRESULT hr() const { return hr_; }
  const char* what() const noexcept override { return "Automation error"; }

 private:
  HRESULT hr_;
};
inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) throw PlatformFailure(hr);
}

// The HRESULT a caller sees for an automation error number: facility control,
// as script hosts expect (error 382 is 0x800A017E).
HRESULT HResultOf(int32_t number);

// Records error information (source, description) for the current thread,
// for ISupportErrorInfo callers and for Invoke's EXCEPINFO, and returns the
// HRESULT. An exception that is no automation error maps as C++/WinRT maps
// it: std::out_of_range to E_BOUNDS, std::invalid_argument to E_INVALIDARG,
// any other to E_FAIL, each described by its what().
// `origin` names who reports it; null for the module's own source.
HRESULT ReportError(const std::exception& error, const ErrorOrigin* origin = nullptr) noexcept;

// The one place where an exception becomes an HRESULT with its error information.
// No exception leaves a COM method or an export. An action that returns an
// HRESULT has it passed on; one that returns nothing succeeded if it did not throw.
// With an origin, the error information names it instead of the module's source:
// a module with several classes reports each class's errors as its own.
template <class Action>
HRESULT Guarded(const ErrorOrigin* origin, Action&& action) noexcept {
  try {
    if constexpr (std::is_same_v<std::invoke_result_t<Action>, HRESULT>) {
      return action();
    } else {
      action();
      return S_OK;
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& error) {
    return ReportError(error, origin);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

template <class Action>
HRESULT Guarded(Action&& action) noexcept {
  return Guarded(nullptr, std::forward<Action>(action));
}

}  // namespace com
