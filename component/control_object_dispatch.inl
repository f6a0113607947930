#pragma once

// IDispatch of the control, driven by the interface table. Script hosts pass
// arguments by value, by reference, as references to VARIANTs, as objects and
// by name; each is matched to its parameter by the portable binding rules and
// coerced to the parameter's type before the member runs through its vtable
// slot, so any refused call changes nothing. A member's error becomes the
// caller's EXCEPINFO.
#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <array>
#include <span>
#include <type_traits>

#include "component/automation_interface.h"
#include "component/control_object.h"
#include "control/ovl_board.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/variant_conversion.h"
#include "control/argument_binding.h"

namespace component {

namespace {

using automation::Member;
using automation::Parameter;
using automation::Passing;

using control::arguments::Refusal;

constexpr size_t kMaxParameters = control::arguments::kMaxInputs;
static_assert(std::ranges::all_of(automation::kClasses, [](const automation::ControlClass* c) {
  return std::ranges::all_of(c->members, [](const Member& m) { return m.parameters.size() <= kMaxParameters; });
}));
static_assert(control::arguments::kPutValueName == DISPID_PROPERTYPUT);
static_assert(std::is_same_v<DISPID, long>);

// A caller's DISPPARAMS as OLE describes them; anything else is refused unread.
HRESULT Validate(const DISPPARAMS* parameters) {
  if (!parameters) return E_INVALIDARG;
  if (parameters->cArgs > 0 && !parameters->rgvarg) return E_INVALIDARG;
  if (!control::arguments::CountsAgree(parameters->cArgs, parameters->cNamedArgs)) return E_INVALIDARG;
  if (parameters->cNamedArgs > 0 && !parameters->rgdispidNamedArgs) return E_INVALIDARG;
  return S_OK;
}

control::arguments::Signature SignatureOf(const Member& member) {
  control::arguments::Signature signature;
  signature.put = member.kind == INVOKE_PROPERTYPUT;
  for (const Parameter& parameter : member.parameters)
    if (parameter.passing != Passing::Retval) ++signature.inputs;
  return signature;
}

// One call's arguments matched to the parameters a caller passes and
// coerced to their types.
class Arguments {
 public:
  Arguments(const Member& member, const DISPPARAMS& parameters) : member_(member), parameters_(parameters) {}

  HRESULT Bind(UINT* argumentError) {
    const std::span<const DISPID> names(parameters_.rgdispidNamedArgs, parameters_.cNamedArgs);
    const control::arguments::Binding binding =
        control::arguments::Bind(SignatureOf(member_), parameters_.cArgs, names);
    if (binding.culprit && argumentError) *argumentError = *binding.culprit;
    switch (binding.refusal) {
      case Refusal::None: break;
      case Refusal::ParameterNotFound: return DISP_E_PARAMNOTFOUND;
      case Refusal::BadParameterCount: return DISP_E_BADPARAMCOUNT;
    }
    source_ = binding.source;
    return S_OK;
  }

  // Coerces every bound argument; on failure puArgErr names it by its index in rgvarg.
  HRESULT Coerce(UINT* argumentError) {
    UINT input = 0;
    for (const Parameter& parameter : member_.parameters) {
      if (parameter.passing == Passing::Retval) continue;
      const UINT index = source_[input];
      const HRESULT hr =
          ConvertCallerValue(parameters_.rgvarg[index], automation::VarTypeOf(parameter.type), values_[input]);
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
  const Member& member_;
  const DISPPARAMS& parameters_;
  std::array<unsigned, kMaxParameters> source_{};
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

// Runs `member` of `control` through its slot of the dual interface `object`
// with the coerced arguments, as the type library's own Invoke would; a get's
// value lands in `result`.
HRESULT CallThroughVtable(IDispatch* object, const automation::ControlClass& control, const Member& member,
                          Arguments& arguments, VARIANT* result, HRESULT& memberResult) {
  std::array<VARTYPE, kMaxParameters> types{};
  std::array<VARIANT, kMaxParameters> passed{};
  std::array<VARIANTARG*, kMaxParameters> pointers{};
  com::UniqueVariant returned;
  UINT input = 0, count = 0;
  for (const Parameter& parameter : member.parameters) {
    const VARTYPE type = automation::VarTypeOf(parameter.type);
    VARIANT& slot = passed[count];
    VariantInit(&slot);
    if (parameter.passing == Passing::In) {
      slot = arguments.Value(input++);  // a copy the member only reads: its text stays the argument's
    } else {
      VARIANT& target = parameter.passing == Passing::Retval ? returned : arguments.Value(input++);
      if (&target == &returned) target.llVal = 0;  // a get that fails leaves no text behind to free
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
  const ULONG_PTR offset = (automation::kFirstSlot + automation::IndexOf(member, control)) * sizeof(void*);
  RETURN_IF_FAILED(DispCallFunc(object, offset, CC_STDCALL, VT_ERROR, count, types.data(), pointers.data(), &status));
  memberResult = status.scode;
  // The value a get returned, text included, is handed to the caller or freed
  // here; a member that failed returned nothing.
  if (FAILED(memberResult)) returned.vt = VT_EMPTY;
  if (result && returned.vt != VT_EMPTY) {
    *result = returned;
    returned.vt = VT_EMPTY;
  }
  return S_OK;
}

}  // namespace

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  if (count == 0) return E_INVALIDARG;
  ids[0] = names[0] ? automation::IdOf(std::wstring_view(names[0]), record_) : DISPID_UNKNOWN;
  HRESULT hr = ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  for (UINT i = 1; i < count; ++i) {
    ids[i] = names[i] && ids[0] != DISPID_UNKNOWN ? automation::ParameterIdOf(ids[0], names[i], record_) : DISPID_UNKNOWN;
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

template <class Core, class Face>
STDMETHODIMP ControlObject<Core, Face>::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  RETURN_IF_FAILED(Validate(parameters));
  const Member* member = automation::Resolve(id, flags, record_);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  Arguments arguments(*member, *parameters);
  RETURN_IF_FAILED(arguments.Bind(argumentError));
  RETURN_IF_FAILED(arguments.Coerce(argumentError));
  if (result) VariantInit(result);
  HRESULT memberResult = S_OK;
  RETURN_IF_FAILED(CallThroughVtable(static_cast<Face*>(this), record_, *member, arguments, result, memberResult));
  return AsException(memberResult, exception);
}


}  // namespace component
