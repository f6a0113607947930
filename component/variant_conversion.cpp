#include "component/variant_conversion.h"

#include "component/com/com_ptr.h"
#include "component/com/errors.h"

namespace component {

namespace {

using control::ValueKind;

ValueKind KindOf(const VARIANT& value) {
  if (value.vt & ~(VT_TYPEMASK | VT_BYREF)) return ValueKind::Array;
  switch (value.vt & VT_TYPEMASK) {
    case VT_EMPTY: return ValueKind::Empty;
    case VT_NULL: return ValueKind::Null;
    case VT_I4: return ValueKind::Int32;
    case VT_I1: case VT_I2: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_DECIMAL:
      return ValueKind::Number;
    case VT_BSTR: return ValueKind::Text;
    case VT_BOOL: return ValueKind::Boolean;
    case VT_ERROR: {
      const SCODE code = (value.vt & VT_BYREF) ? (value.pscode ? *value.pscode : S_OK) : value.scode;
      return code == DISP_E_PARAMNOTFOUND ? ValueKind::Missing : ValueKind::Error;
    }
    case VT_VARIANT: return ValueKind::Variant;
    case VT_DISPATCH: case VT_UNKNOWN: return ValueKind::Object;
    default: return ValueKind::Other;
  }
}

HRESULT Follow(const VARIANT& given, com::UniqueVariant& plain, int depth);

// An object stands for its default value (DISPID_VALUE), one level further.
HRESULT FollowObject(IUnknown* unknown, com::UniqueVariant& plain, int depth) {
  com::ComPtr<IDispatch> object;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, object.put_void())) || !object) return DISP_E_TYPEMISMATCH;
  com::UniqueVariant value;
  DISPPARAMS none{};
  if (FAILED(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(),
                            nullptr, nullptr)))
    return DISP_E_TYPEMISMATCH;
  return Follow(value, plain, depth + 1);
}

HRESULT Follow(const VARIANT& given, com::UniqueVariant& plain, int depth) {
  const bool byReference = (given.vt & VT_BYREF) != 0;
  switch (control::NextStep(Describe(given), depth)) {
    case control::Step::Plain: return VariantCopyInd(plain.put(), const_cast<VARIANT*>(&given));
    case control::Step::FollowReference: return Follow(*given.pvarVal, plain, depth + 1);
    case control::Step::AskObject: return FollowObject(byReference ? *given.ppunkVal : given.punkVal, plain, depth);
    case control::Step::Refuse: break;
  }
  return DISP_E_TYPEMISMATCH;
}

}  // namespace

control::CallerValue Describe(const VARIANT& value) noexcept {
  control::CallerValue described;
  described.byReference = (value.vt & VT_BYREF) != 0;
  described.kind = KindOf(value);
  described.null = described.byReference && !value.byref;
  if (described.kind == ValueKind::Object && !described.null)
    described.null = !(described.byReference ? *value.ppunkVal : value.punkVal);
  return described;
}

HRESULT PlainValueOf(const VARIANT& given, com::UniqueVariant& plain) noexcept { return Follow(given, plain, 0); }

HRESULT ConvertPlainValue(const VARIANT& plain, VARTYPE type, com::UniqueVariant& converted) noexcept {
  const HRESULT hr = VariantChangeType(converted.put(), const_cast<VARIANT*>(&plain), 0, type);
  return FAILED(hr) && hr != DISP_E_OVERFLOW ? DISP_E_TYPEMISMATCH : hr;
}

HRESULT ConvertCallerValue(const VARIANT& given, VARTYPE type, com::UniqueVariant& converted) noexcept {
  com::UniqueVariant plain;
  RETURN_IF_FAILED(PlainValueOf(given, plain));
  if (Describe(plain).kind == ValueKind::Missing) return DISP_E_PARAMNOTOPTIONAL;
  return ConvertPlainValue(plain, type, converted);
}

std::optional<control::ChildId> ChildIdOf(const VARIANT& id) noexcept {
  return control::ChildIdOf(Describe(id), id.vt == VT_I4 ? id.lVal : 0);
}

}  // namespace component
