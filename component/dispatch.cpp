// IDispatch of the control. Script hosts pass arguments by value, by reference
// and as references to VARIANTs; each is coerced here to the member's type
// before the member runs, and a member's error becomes the caller's EXCEPINFO.
#include <windows.h>

#include <oleauto.h>

#include <cwctype>
#include <string_view>

#include "component/chess_control.h"
#include "component/com/errors.h"
#include "component/com/unique.h"
#include "component/identity.h"

namespace component {

namespace {

using identity::kClearId;
using identity::kEnabledId;
using identity::kNewGameId;
using identity::kPieceId;
using identity::kRefreshId;

struct Name {
  std::wstring_view name;
  DISPID id;
};
constexpr Name kMembers[] = {
    {L"Enabled", kEnabledId}, {L"Refresh", kRefreshId}, {L"NewGame", kNewGameId}, {L"Clear", kClearId}, {L"Piece", kPieceId}};
// Parameter names, for callers that name their arguments.
constexpr Name kPieceParameters[] = {{L"col", 0}, {L"row", 1}, {L"New_Piece", 2}};
constexpr Name kEnabledParameters[] = {{L"New_Enabled", 0}};

bool SameName(std::wstring_view a, const wchar_t* b) {
  if (!b || a.size() != wcslen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

template <size_t N>
DISPID Lookup(const Name (&table)[N], const wchar_t* name) {
  for (const Name& entry : table)
    if (SameName(entry.name, name)) return entry.id;
  return DISPID_UNKNOWN;
}

// The positional arguments of one call, numbered from the first as the caller wrote them.
class Arguments {
 public:
  explicit Arguments(const DISPPARAMS& parameters) : parameters_(parameters) {}

  UINT Count() const { return parameters_.cArgs - parameters_.cNamedArgs; }

  // Coerces positional argument `position` (counted from the first the caller wrote).
  HRESULT Get(UINT position, VARTYPE type, VARIANT& out, UINT* argumentError) const {
    return Coerce(parameters_.cArgs - 1 - position, type, out, argumentError);
  }

  // The value of a property put: the named argument DISPID_PROPERTYPUT, first in rgvarg.
  HRESULT PutValue(VARTYPE type, VARIANT& out, UINT* argumentError) const {
    return Coerce(0, type, out, argumentError);
  }

 private:
  // Follows references to VARIANTs, then converts; on failure fills puArgErr
  // with the argument's index in rgvarg, as callers expect.
  HRESULT Coerce(UINT index, VARTYPE type, VARIANT& out, UINT* argumentError) const {
    const VARIANT* argument = &parameters_.rgvarg[index];
    while (argument->vt == (VT_BYREF | VT_VARIANT) && argument->pvarVal) argument = argument->pvarVal;
    HRESULT hr = S_OK;
    if (argument->vt == VT_ERROR && argument->scode == DISP_E_PARAMNOTFOUND) {
      hr = DISP_E_PARAMNOTOPTIONAL;
    } else {
      hr = VariantChangeType(&out, const_cast<VARIANT*>(argument), 0, type);
      if (FAILED(hr) && hr != DISP_E_OVERFLOW) hr = DISP_E_TYPEMISMATCH;
    }
    if (FAILED(hr) && argumentError) *argumentError = index;
    return hr;
  }

  const DISPPARAMS& parameters_;
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

void SetResult(VARIANT* result, VARTYPE type, auto value) {
  if (!result) return;
  VariantInit(result);
  result->vt = type;
  if constexpr (std::is_same_v<decltype(value), VARIANT_BOOL>) result->boolVal = value;
  else result->lVal = value;
}

}  // namespace

STDMETHODIMP ChessControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  if (count == 0) return E_INVALIDARG;
  ids[0] = Lookup(kMembers, names[0]);
  HRESULT hr = ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  for (UINT i = 1; i < count; ++i) {
    ids[i] = ids[0] == kPieceId ? Lookup(kPieceParameters, names[i])
             : ids[0] == kEnabledId ? Lookup(kEnabledParameters, names[i])
                                  : DISPID_UNKNOWN;
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

STDMETHODIMP ChessControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                  VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!parameters || (parameters->cArgs > 0 && !parameters->rgvarg)) return E_INVALIDARG;
  const Arguments arguments(*parameters);
  const bool get = flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  const bool put = flags & DISPATCH_PROPERTYPUT;
  const bool isProperty = id == kEnabledId || id == kPieceId;
  if (!put && parameters->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
  const UINT expected = (id == kPieceId ? 2 : 0);
  if (isProperty && put) {
    if (parameters->cNamedArgs != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
      return DISP_E_PARAMNOTFOUND;
    if (arguments.Count() != expected) return DISP_E_BADPARAMCOUNT;
  } else if (get) {
    if (parameters->cArgs != expected) return DISP_E_BADPARAMCOUNT;
  }

  switch (id) {
    case kRefreshId:
    case kNewGameId:
    case kClearId:
      if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
      return AsException(id == kRefreshId ? Refresh() : id == kNewGameId ? NewGame() : Clear(), exception);
    case kEnabledId: {
      com::UniqueVariant value;
      if (put) {
        RETURN_IF_FAILED(arguments.PutValue(VT_BOOL, value, argumentError));
        return AsException(put_Enabled(value.boolVal), exception);
      }
      if (!get) return DISP_E_MEMBERNOTFOUND;
      VARIANT_BOOL enabled = VARIANT_FALSE;
      RETURN_IF_FAILED(AsException(get_Enabled(&enabled), exception));
      SetResult(result, VT_BOOL, enabled);
      return S_OK;
    }
    case kPieceId: {
      com::UniqueVariant col, row, value;
      if (!put && !get) return DISP_E_MEMBERNOTFOUND;
      RETURN_IF_FAILED(arguments.Get(0, VT_I2, col, argumentError));
      RETURN_IF_FAILED(arguments.Get(1, VT_I2, row, argumentError));
      if (put) {
        RETURN_IF_FAILED(arguments.PutValue(VT_I4, value, argumentError));
        return AsException(put_Piece(&col.iVal, &row.iVal, static_cast<PieceNum>(value.lVal)), exception);
      }
      PieceNum piece{};
      RETURN_IF_FAILED(AsException(get_Piece(&col.iVal, &row.iVal, &piece), exception));
      SetResult(result, VT_I4, static_cast<LONG>(piece));
      return S_OK;
    }
  }
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace component
