#pragma once
// What the layer's own window classes share: their registration, the
// object behind each window, handed over as CreateWindowExA's last argument,
// and the idle saver they keep away.

#include "platform/win32/windows_api.h"

namespace tarvex::platform::win32 {

// Registers the window class `name` of this program, with the arrow pointer
// and `background` for erasing.
void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background);

// Whether `message` would start the system's own idle saver, which the
// saver's windows refuse while it runs.
inline bool StartsIdleSaver(UINT message, WPARAM wParam) {
  return message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SCREENSAVE;
}

// The object `window` was created for, as its window procedure sees it: kept
// in the window's user data from WM_NCCREATE on; null before that and once
// the object has cleared it.
template <class T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = AsPointer<const CREATESTRUCTA>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return AsPointer<T>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The window procedure that hands each message to member `kOn` of the
// window's object, and to the default procedure while there is none.
template <class T, LRESULT (T::*kOn)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  T* self = WindowObject<T>(window, message, lParam);
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return (self->*kOn)(window, message, wParam, lParam);
}

}  // namespace tarvex::platform::win32
