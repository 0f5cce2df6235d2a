#include "platform/win32/monitor_list.h"

#include "platform/win32/windows_api.h"

namespace tarvex::platform::win32 {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*area*/, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info) == FALSE) return TRUE;
  const ScreenRect area = ToScreenRect(info.rcMonitor);
  auto& list = *AsPointer<MonitorList>(data);
  list.monitors.push_back(area);
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) list.primary = area;
  return TRUE;
}

}  // namespace

MonitorList SystemMonitors() {
  MonitorList list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.primary.width <= 0 || list.primary.height <= 0) {
    list.primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return list;
}

}  // namespace tarvex::platform::win32
