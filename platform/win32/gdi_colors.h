#pragma once
// OLE colours as GDI colours: a plain colour 0x00BBGGRR is the COLORREF
// itself; 0x80000000 + n is the desktop's system colour n (GetSysColor),
// black for numbers the desktop has no colour for.

#include "platform/win32/windows_api.h"

#include "platform/saver_window_host.h"

namespace tarvex::platform::win32 {

COLORREF ColorRefFromOle(OleColor color);

}  // namespace tarvex::platform::win32
