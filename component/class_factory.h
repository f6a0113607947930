#pragma once

#include <unknwn.h>

namespace component {

// The class factory of the library's class `id`, for each class that has a
// creator; CLASS_E_CLASSNOTAVAILABLE for any other.
HRESULT GetClassFactory(REFCLSID id, REFIID iid, void** out) noexcept;

}  // namespace component
