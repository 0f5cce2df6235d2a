#include "platform/win32/window_class.h"

namespace tarvex::platform::win32 {

void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);  // NOLINT(performance-no-int-to-ptr)
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExA(&windowClass);
}

}  // namespace tarvex::platform::win32
