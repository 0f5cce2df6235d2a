#pragma once
// Black, borderless, top-most covers over every monitor but the primary
// while the saver window shows. A pointer move over a cover reaches the
// saver window's input as a move over its frame, in the frame's client
// pixels (outside its area); clicks have no handler, as on the frame's
// margin. Covers never take activation or the keyboard.

#include "platform/win32/windows_api.h"

#include <vector>

#include "platform/monitor_layout.h"
#include "platform/win32/saver_window.h"

namespace tarvex::platform::win32 {

class MonitorCovers {
 public:
  explicit MonitorCovers(SaverWindowInput& input) : input_(input) {}
  ~MonitorCovers();
  MonitorCovers(const MonitorCovers&) = delete;
  MonitorCovers& operator=(const MonitorCovers&) = delete;

  // Shows a cover over each area, moving the covers there are first and
  // destroying the spare ones last, so that no monitor shows the desktop in
  // between; `saver` is where the saver frame's client area stands.
  void Place(const std::vector<ScreenRect>& areas, const ScreenRect& saver);
  void Hide();
  const std::vector<HWND>& Windows() const { return covers_; }

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND Create(const ScreenRect& area);

  SaverWindowInput& input_;
  std::vector<HWND> covers_;
  ScreenRect saver_;
};

}  // namespace tarvex::platform::win32
