#pragma once
// windows.h for the windows layer, without its MessageBox macro: the macro
// would turn the Desktop's MessageBox into MessageBoxA wherever both meet.

#include <windows.h>

#undef MessageBox

namespace tarvex::platform::win32 {

// The pointer the system hands back in an integer: a message's lParam, a
// callback's user value, a window's user data.
template <class T>
T* AsPointer(LONG_PTR value) {
  return reinterpret_cast<T*>(value);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace tarvex::platform::win32
