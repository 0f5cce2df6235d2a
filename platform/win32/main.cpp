// The Windows program, tarvex.scr: Main on the Win32 desktop.

#include "platform/win32/windows_api.h"

#include <commctrl.h>

#include "platform/win32/win32_desktop.h"
#include "startup/basKORVAN.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  // The manifest asks for common controls 6; their classes come from here.
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  tarvex::platform::win32::Win32Desktop desktop;
  return tarvex::basKORVAN::Main(desktop);
}
