#pragma once
// The desktop's monitors as the saver window host places its windows on
// them; the host reads them through a MonitorSource, which tests replace.

#include <functional>
#include <vector>

#include "platform/monitor_layout.h"
#include "platform/win32/windows_api.h"

namespace tarvex::platform::win32 {

struct MonitorList {
  std::vector<ScreenRect> monitors;
  ScreenRect primary;
};

using MonitorSource = std::function<MonitorList()>;

// A Win32 rectangle as the layout counts it, and back.
inline ScreenRect ToScreenRect(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
inline RECT ToRect(const ScreenRect& area) {
  return {area.left, area.top, area.left + area.width, area.top + area.height};
}

// The system's monitors (EnumDisplayMonitors); the primary screen's metrics
// alone when none can be listed.
MonitorList SystemMonitors();

}  // namespace tarvex::platform::win32
