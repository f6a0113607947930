#pragma once

// Every value a caller hands the control in a VARIANT (Invoke's arguments,
// screen readers' child ids, property-bag values, ambient properties) is read
// here. By-reference VARIANTs and objects' default values are followed by this
// code, a bounded number of levels, never by VariantChangeType: a VARIANT that
// refers to itself or an object whose value is the object is refused, not
// followed until the stack runs out.
#include <windows.h>

#include <oleauto.h>

#include "component/com/unique.h"

namespace component {

// The plain value (a number, a date, text, a Boolean, an error, Empty or Null)
// that `given` stands for, copied into `plain` so that nothing of the caller's
// is left in it. DISP_E_TYPEMISMATCH for a value that leads nowhere: a null
// reference or object, an array, a record, a type OLE does not know, or a
// chain longer than the bound.
HRESULT PlainValueOf(const VARIANT& given, com::UniqueVariant& plain) noexcept;

// A plain value converted to `type` as automation converts:
// DISP_E_OVERFLOW for a number out of the type's range, else DISP_E_TYPEMISMATCH.
HRESULT ConvertPlainValue(const VARIANT& plain, VARTYPE type, com::UniqueVariant& converted) noexcept;

// PlainValueOf, then ConvertPlainValue.
HRESULT ConvertCallerValue(const VARIANT& given, VARTYPE type, com::UniqueVariant& converted) noexcept;

}  // namespace component
