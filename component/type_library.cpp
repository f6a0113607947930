#include "component/type_library.h"

#include <oleauto.h>
#include <windows.h>

#include "component/com/com_ptr.h"

namespace component {

HRESULT TypeInfoOf(REFGUID type, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&TypeInfoOf), &module);
  wchar_t path[MAX_PATH];
  if (!GetModuleFileNameW(module, path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
  // The loader caches loaded libraries, so asking again is cheap.
  com::ComPtr<ITypeLib> library;
  const HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, library.put());
  if (FAILED(hr)) return hr;
  return library->GetTypeInfoOfGuid(type, info);
}

}  // namespace component
