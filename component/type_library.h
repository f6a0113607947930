#pragma once

#include <oaidl.h>

namespace component {

// Type information of one type of the library embedded in this module.
HRESULT TypeInfoOf(REFGUID type, ITypeInfo** info) noexcept;

}  // namespace component
