// IDispatch of the control, driven by the interface table. Script hosts pass
// arguments by value, by reference, as references to VARIANTs, as objects and
// by name; each is matched to its parameter and coerced to the parameter's type
// before the member runs through its vtable slot, so any refused call changes
// nothing. A member's error becomes the caller's EXCEPINFO.
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <array>

#include "component/automation_interface.h"
#include "component/chess_control.h"
#include "component/com/errors.h"
#include "component/com/unique.h"

namespace component {

namespace {

using automation::Member;
using automation::Parameter;
using automation::Passing;

constexpr size_t kMaxParameters = 4;
static_assert(std::ranges::all_of(automation::kInterface,
                                  [](const Member& m) { return m.parameters.size() <= kMaxParameters; }));

// How many by-reference VARIANTs and object default values are followed to
// reach a value: enough for any script host, and a bound for a VARIANT that
// refers to itself or an object whose value is the object.
constexpr int kMaxIndirection = 4;

// A caller's DISPPARAMS as OLE describes them; anything else is refused unread.
HRESULT Validate(const DISPPARAMS* parameters) {
  if (!parameters) return E_INVALIDARG;
  if (parameters->cArgs > 0 && !parameters->rgvarg) return E_INVALIDARG;
  if (parameters->cNamedArgs > parameters->cArgs) return E_INVALIDARG;
  if (parameters->cNamedArgs > 0 && !parameters->rgdispidNamedArgs) return E_INVALIDARG;
  return S_OK;
}

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

HRESULT Coerce(const VARIANT& argument, VARTYPE type, VARIANT& out, int depth);

// An object argument stands for its default value (DISPID_VALUE), fetched
// here rather than by VariantChangeType so that its depth stays bounded.
HRESULT CoerceObject(IUnknown* unknown, VARTYPE type, VARIANT& out, int depth) {
  com::ComPtr<IDispatch> object;
  if (!unknown || FAILED(unknown->QueryInterface(IID_IDispatch, object.put_void())) || !object)
    return DISP_E_TYPEMISMATCH;
  com::UniqueVariant value;
  DISPPARAMS none{};
  if (FAILED(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(),
                            nullptr, nullptr)))
    return DISP_E_TYPEMISMATCH;
  return Coerce(value, type, out, depth + 1);
}

HRESULT Coerce(const VARIANT& argument, VARTYPE type, VARIANT& out, int depth) {
  if (depth > kMaxIndirection) return DISP_E_TYPEMISMATCH;
  const VARTYPE base = argument.vt & VT_TYPEMASK;
  const bool byReference = (argument.vt & VT_BYREF) != 0;
  if ((argument.vt & ~(VT_TYPEMASK | VT_BYREF)) || (byReference && !argument.byref)) return DISP_E_TYPEMISMATCH;
  if (argument.vt == (VT_BYREF | VT_VARIANT)) return Coerce(*argument.pvarVal, type, out, depth + 1);
  if (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND) return DISP_E_PARAMNOTOPTIONAL;
  if (base == VT_DISPATCH || base == VT_UNKNOWN)
    return CoerceObject(byReference ? *argument.ppunkVal : argument.punkVal, type, out, depth);
  if (!IsPlainValue(argument.vt)) return DISP_E_TYPEMISMATCH;
  HRESULT hr = VariantChangeType(&out, const_cast<VARIANT*>(&argument), 0, type);
  if (FAILED(hr) && hr != DISP_E_OVERFLOW) hr = DISP_E_TYPEMISMATCH;
  return hr;
}

// One call's arguments matched to the parameters a caller passes: the
// member's parameters but a get's [retval]; a put's value is the last of them
// and arrives as the named argument DISPID_PROPERTYPUT.
class Arguments {
 public:
  Arguments(const Member& member, const DISPPARAMS& parameters) : member_(member), parameters_(parameters) {
    for (const Parameter& parameter : member.parameters)
      if (parameter.passing != Passing::Retval) ++inputs_;
    source_.fill(kUnbound);
  }

  HRESULT Bind(UINT* argumentError) {
    const bool put = member_.kind == INVOKE_PROPERTYPUT;
    const UINT named = parameters_.cNamedArgs, positional = parameters_.cArgs - named;
    const UINT indexed = put ? inputs_ - 1 : inputs_;
    const DISPID* names = parameters_.rgdispidNamedArgs;
    if (put && std::find(names, names + named, DISPID_PROPERTYPUT) == names + named) return DISP_E_PARAMNOTFOUND;
    if (positional > indexed) return DISP_E_BADPARAMCOUNT;
    // Positional arguments stand last in rgvarg, the first one written last.
    for (UINT i = 0; i < positional; ++i) source_[i] = parameters_.cArgs - 1 - i;
    for (UINT j = 0; j < named; ++j) {
      const DISPID name = names[j];
      const UINT target = put && name == DISPID_PROPERTYPUT ? indexed
                          : name >= 0 && static_cast<UINT>(name) < indexed ? static_cast<UINT>(name)
                                                                           : kUnbound;
      if (target == kUnbound || source_[target] != kUnbound) {
        if (argumentError) *argumentError = j;
        return DISP_E_PARAMNOTFOUND;
      }
      source_[target] = j;
    }
    for (UINT i = 0; i < inputs_; ++i)
      if (source_[i] == kUnbound) return DISP_E_BADPARAMCOUNT;
    return S_OK;
  }

  // Coerces every bound argument; on failure puArgErr names it by its index in rgvarg.
  HRESULT Coerce(UINT* argumentError) {
    UINT input = 0;
    for (const Parameter& parameter : member_.parameters) {
      if (parameter.passing == Passing::Retval) continue;
      const UINT index = source_[input];
      const HRESULT hr =
          component::Coerce(parameters_.rgvarg[index], automation::VarTypeOf(parameter.type), values_[input], 0);
      if (FAILED(hr)) {
        if (argumentError) *argumentError = index;
        return hr;
      }
      ++input;
    }
    return S_OK;
  }

  // The coerced value of the `input`th parameter a caller passes.
  VARIANT& Value(UINT input) { return values_[input]; }

 private:
  static constexpr UINT kUnbound = ~0u;
  const Member& member_;
  const DISPPARAMS& parameters_;
  UINT inputs_ = 0;
  std::array<UINT, kMaxParameters> source_{};
  std::array<com::UniqueVariant, kMaxParameters> values_;
};

// A failed member's error information, as the EXCEPINFO of Invoke.
HRESULT AsException(HRESULT hr, EXCEPINFO* exception) {
  if (SUCCEEDED(hr)) return hr;
  if (!exception) return hr;
  *exception = EXCEPINFO{};
  exception->scode = hr;
  com::ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.put()) == S_OK) {
    info->GetSource(&exception->bstrSource);
    info->GetDescription(&exception->bstrDescription);
  }
  return DISP_E_EXCEPTION;
}

// Runs `member` through its slot of the dual interface with the coerced
// arguments, as the type library's own Invoke would; a get's value lands in `result`.
HRESULT CallThroughVtable(_OvlChess* object, const Member& member, Arguments& arguments, VARIANT* result,
                          HRESULT& memberResult) {
  std::array<VARTYPE, kMaxParameters> types{};
  std::array<VARIANT, kMaxParameters> passed{};
  std::array<VARIANTARG*, kMaxParameters> pointers{};
  VARIANT returned;
  VariantInit(&returned);
  UINT input = 0, count = 0;
  for (const Parameter& parameter : member.parameters) {
    const VARTYPE type = automation::VarTypeOf(parameter.type);
    VARIANT& slot = passed[count];
    VariantInit(&slot);
    if (parameter.passing == Passing::In) {
      slot = arguments.Value(input++);  // plain values only: a copy owns nothing
    } else {
      VARIANT& target = parameter.passing == Passing::Retval ? returned : arguments.Value(input++);
      target.vt = type;
      slot.vt = VT_BYREF | type;
      slot.byref = &target.lVal;  // every value of the union starts there
    }
    types[count] = slot.vt;
    pointers[count] = &slot;
    ++count;
  }
  VARIANT status;
  VariantInit(&status);
  const ULONG_PTR offset = (automation::kFirstSlot + automation::IndexOf(member)) * sizeof(void*);
  RETURN_IF_FAILED(DispCallFunc(object, offset, CC_STDCALL, VT_ERROR, count, types.data(), pointers.data(), &status));
  memberResult = status.scode;
  if (SUCCEEDED(memberResult) && result && returned.vt != VT_EMPTY) *result = returned;
  return S_OK;
}

}  // namespace

STDMETHODIMP ChessControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  if (count == 0) return E_INVALIDARG;
  ids[0] = names[0] ? automation::IdOf(std::wstring_view(names[0])) : DISPID_UNKNOWN;
  HRESULT hr = ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  for (UINT i = 1; i < count; ++i) {
    ids[i] = names[i] && ids[0] != DISPID_UNKNOWN ? automation::ParameterIdOf(ids[0], names[i]) : DISPID_UNKNOWN;
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

STDMETHODIMP ChessControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                  VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  RETURN_IF_FAILED(Validate(parameters));
  const Member* member = automation::Resolve(id, flags);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  Arguments arguments(*member, *parameters);
  RETURN_IF_FAILED(arguments.Bind(argumentError));
  RETURN_IF_FAILED(arguments.Coerce(argumentError));
  if (result) VariantInit(result);
  HRESULT memberResult = S_OK;
  RETURN_IF_FAILED(CallThroughVtable(this, *member, arguments, result, memberResult));
  return AsException(memberResult, exception);
}

}  // namespace component
