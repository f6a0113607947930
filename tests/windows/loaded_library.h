#pragma once

// The control's library loaded directly, as COM loads it, and a control made
// through its class object.
#include <windows.h>

#include "component/com/com_ptr.h"
#include "component/identity.h"

namespace test {

using GetClassObjectFunction = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
using CanUnloadFunction = HRESULT(__stdcall*)();

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Library {
  explicit Library(const wchar_t* path) : module(LoadLibraryW(path)) {}
  HMODULE module;
  GetClassObjectFunction getClassObject = Export<GetClassObjectFunction>(module, "DllGetClassObject");
  CanUnloadFunction canUnload = Export<CanUnloadFunction>(module, "DllCanUnloadNow");

  // A new control of the class `id`, as `I`; empty if the library cannot make one.
  template <class I>
  com::ComPtr<I> Create(const CLSID& id = component::identity::kClassId) const {
    com::ComPtr<IClassFactory> factory;
    com::ComPtr<I> object;
    if (getClassObject && SUCCEEDED(getClassObject(id, IID_IClassFactory, factory.put_void())))
      factory->CreateInstance(nullptr, __uuidof(I), object.put_void());
    return object;
  }
};

}  // namespace test
