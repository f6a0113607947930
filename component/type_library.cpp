#include "component/type_library.h"

#include <oleauto.h>
#include <windows.h>

#include "component/com/com_ptr.h"
#include "component/com/errors.h"
#include "control/win32/this_module.h"

namespace component {

HRESULT TypeInfoOf(REFGUID type, ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  *info = nullptr;
  return com::Guarded([&]() -> HRESULT {
    const std::wstring path = control::win32::ThisModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    // The loader caches loaded libraries, so asking again is cheap.
    com::ComPtr<ITypeLib> library;
    RETURN_IF_FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put()));
    return library->GetTypeInfoOfGuid(type, info);
  });
}

}  // namespace component
