#include "component/type_library.h"

#include <oleauto.h>
#include <windows.h>

#include "component/com/com_ptr.h"
#include "control/win32/this_module.h"

namespace component {

HRESULT TypeInfoOf(REFGUID type, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  const std::wstring path = control::win32::ThisModulePath();
  if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  // The loader caches loaded libraries, so asking again is cheap.
  com::ComPtr<ITypeLib> library;
  const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
  if (FAILED(hr)) return hr;
  return library->GetTypeInfoOfGuid(type, info);
}

}  // namespace component
