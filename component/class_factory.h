#pragma once

#include <unknwn.h>

namespace component {

// The class factory of the one class this library holds.
HRESULT GetClassFactory(REFCLSID id, REFIID iid, void** out) noexcept;

}  // namespace component
