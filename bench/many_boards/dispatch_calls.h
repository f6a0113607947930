#pragma once

#include <windows.h>

#include <oleauto.h>

#include <algorithm>
#include <vector>

namespace bench {

// Late-bound calls as a script makes them, ids looked up once.
inline DISPID IdOf(IDispatch* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

// `arguments` last first, as IDispatch takes them.
inline HRESULT Put(IDispatch* object, DISPID id, std::vector<VARIANT> arguments) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{arguments.data(), &named, static_cast<UINT>(arguments.size()), 1};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr,
                        nullptr);
}

// `arguments` in the order of the method's parameters.
inline HRESULT Call(IDispatch* object, DISPID id, std::vector<VARIANT> arguments) {
  std::reverse(arguments.begin(), arguments.end());
  DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
}

inline VARIANT Short(short value) {
  VARIANT v{};
  v.vt = VT_I2;
  v.iVal = value;
  return v;
}

}  // namespace bench
