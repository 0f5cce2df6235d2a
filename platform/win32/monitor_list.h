#pragma once
// The desktop's monitors as the saver window host places its windows on
// them; the host reads them through a MonitorSource, which tests replace.

#include <functional>
#include <vector>

#include "platform/monitor_layout.h"

namespace tarvex::platform::win32 {

struct MonitorList {
  std::vector<ScreenRect> monitors;
  ScreenRect primary;
};

using MonitorSource = std::function<MonitorList()>;

// The system's monitors (EnumDisplayMonitors); the primary screen's metrics
// alone when none can be listed.
MonitorList SystemMonitors();

}  // namespace tarvex::platform::win32
