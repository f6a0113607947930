#pragma once

// Every value a caller hands the control in a VARIANT (Invoke's arguments,
// screen readers' child ids, property-bag values, ambient properties) is read
// here, by the portable rules of control/caller_value.h. By-reference VARIANTs
// and objects' default values are followed by this code, never by
// VariantChangeType, so a VARIANT that refers to itself or an object whose
// value is the object is refused, not followed until the stack runs out.
#include <windows.h>

#include <oleauto.h>

#include <optional>

#include "component/com/unique.h"
#include "control/caller_value.h"

namespace component {

// The portable description of `value`: its kind, whether it is by reference,
// and whether the pointer it holds is null.
control::CallerValue Describe(const VARIANT& value) noexcept;

// The plain value (a number, a date, text, a Boolean, an error, Empty or Null)
// that `given` stands for, copied into `plain` so that nothing of the caller's
// is left in it. DISP_E_TYPEMISMATCH for a value that leads nowhere: a null
// reference or object, an array, a record, a type OLE does not know, or a
// chain longer than the bound.
HRESULT PlainValueOf(const VARIANT& given, com::UniqueVariant& plain) noexcept;

// A plain value converted to `type` as automation converts:
// DISP_E_OVERFLOW for a number out of the type's range, else DISP_E_TYPEMISMATCH.
HRESULT ConvertPlainValue(const VARIANT& plain, VARTYPE type, com::UniqueVariant& converted) noexcept;

// PlainValueOf, then ConvertPlainValue; the marker of an argument left out is
// DISP_E_PARAMNOTOPTIONAL, since no parameter is optional.
HRESULT ConvertCallerValue(const VARIANT& given, VARTYPE type, com::UniqueVariant& converted) noexcept;

// The child id a screen reader passed, or nullopt for one to refuse.
std::optional<control::ChildId> ChildIdOf(const VARIANT& id) noexcept;

}  // namespace component
