#pragma once

#include <windows.h>

#include <oleauto.h>

#include <new>
#include <type_traits>

#include "board/automation_error.h"

#define RETURN_IF_FAILED(expression)           \
  do {                                         \
    const HRESULT hr_ = (expression);          \
    if (FAILED(hr_)) return hr_;               \
  } while (0)

namespace com {

// A platform call that failed with an HRESULT, raised as the core's error: its
// number is the HRESULT itself (negative), where the control's own numbers are small positives.
board::AutomationError PlatformFailure(HRESULT hr);
inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) throw PlatformFailure(hr);
}

// The HRESULT a caller sees for an automation error number: facility control,
// as script hosts expect (error 382 is 0x800A017E).
HRESULT HResultOf(const board::AutomationError& error);

// Records error information (source, description) for the current thread,
// for ISupportErrorInfo callers and for Invoke's EXCEPINFO, and returns the HRESULT.
HRESULT ReportAutomationError(const board::AutomationError& error);

// The one place where an exception becomes an HRESULT with its error information.
// No exception leaves a COM method or an export. An action that returns an
// HRESULT has it passed on; one that returns nothing succeeded if it did not throw.
template <class Action>
HRESULT Guarded(Action&& action) noexcept {
  try {
    if constexpr (std::is_same_v<std::invoke_result_t<Action>, HRESULT>) {
      return action();
    } else {
      action();
      return S_OK;
    }
  } catch (const board::AutomationError& error) {
    return ReportAutomationError(error);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace com
