#include "component/variant_conversion.h"

#include "component/com/com_ptr.h"
#include "component/com/errors.h"
#include "control/argument_binding.h"

namespace component {

namespace {

// Values VariantChangeType reads without following any pointer of the
// caller's but the one a by-reference value holds.
bool IsPlainValue(VARTYPE vt) {
  if (vt == VT_EMPTY || vt == VT_NULL) return true;
  switch (vt & ~VT_BYREF) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_DECIMAL:
    case VT_BSTR: case VT_BOOL: case VT_ERROR:
      return true;
    default:
      return false;
  }
}

HRESULT Follow(const VARIANT& given, com::UniqueVariant& plain, int depth);

// An object stands for its default value (DISPID_VALUE), one level further.
HRESULT FollowObject(IUnknown* unknown, com::UniqueVariant& plain, int depth) {
  com::ComPtr<IDispatch> object;
  if (!unknown || FAILED(unknown->QueryInterface(IID_IDispatch, object.put_void())) || !object)
    return DISP_E_TYPEMISMATCH;
  com::UniqueVariant value;
  DISPPARAMS none{};
  if (FAILED(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(),
                            nullptr, nullptr)))
    return DISP_E_TYPEMISMATCH;
  return Follow(value, plain, depth + 1);
}

HRESULT Follow(const VARIANT& given, com::UniqueVariant& plain, int depth) {
  if (!control::arguments::IndirectionAllowed(depth)) return DISP_E_TYPEMISMATCH;
  const VARTYPE base = given.vt & VT_TYPEMASK;
  const bool byReference = (given.vt & VT_BYREF) != 0;
  if ((given.vt & ~(VT_TYPEMASK | VT_BYREF)) || (byReference && !given.byref)) return DISP_E_TYPEMISMATCH;
  if (given.vt == (VT_BYREF | VT_VARIANT)) return Follow(*given.pvarVal, plain, depth + 1);
  if (base == VT_DISPATCH || base == VT_UNKNOWN)
    return FollowObject(byReference ? *given.ppunkVal : given.punkVal, plain, depth);
  if (!IsPlainValue(given.vt)) return DISP_E_TYPEMISMATCH;
  return VariantCopyInd(plain.put(), const_cast<VARIANT*>(&given));
}

}  // namespace

HRESULT PlainValueOf(const VARIANT& given, com::UniqueVariant& plain) noexcept { return Follow(given, plain, 0); }

HRESULT ConvertPlainValue(const VARIANT& plain, VARTYPE type, com::UniqueVariant& converted) noexcept {
  const HRESULT hr = VariantChangeType(converted.put(), const_cast<VARIANT*>(&plain), 0, type);
  return FAILED(hr) && hr != DISP_E_OVERFLOW ? DISP_E_TYPEMISMATCH : hr;
}

HRESULT ConvertCallerValue(const VARIANT& given, VARTYPE type, com::UniqueVariant& converted) noexcept {
  com::UniqueVariant plain;
  RETURN_IF_FAILED(PlainValueOf(given, plain));
  return ConvertPlainValue(plain, type, converted);
}

}  // namespace component
