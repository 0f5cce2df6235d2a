#pragma once
// Owners for the GDI objects the windows layer creates: each deletes its
// object when it goes, so no path leaks one.

#include "platform/win32/windows_api.h"

#include <memory>
#include <type_traits>

namespace tarvex::platform::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

// A font, brush, bitmap or other GDI object of type T (HFONT, HBRUSH, ...).
template <class T>
using GdiObject = std::unique_ptr<std::remove_pointer_t<T>, GdiObjectDeleter>;

struct MemoryDcDeleter {
  void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// A memory device context from CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's device context for the span of one drawing.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace tarvex::platform::win32
