#pragma once

#include <windows.h>

// The VARIANT naming an accessible child by its id, as IAccessible takes it.
inline VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}
