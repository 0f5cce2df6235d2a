#include "platform/win32/saver_timer.h"

namespace tarvex::platform::win32 {

void Win32SaverTimer::Start() {
  SetTimer(window_, id_, static_cast<UINT>(TimerPeriodMs(interval_)), nullptr);
}

// A new interval while the timer runs restarts it with the new period.
void Win32SaverTimer::SetInterval(std::int32_t milliseconds) {
  interval_ = milliseconds;
  if (enabled_) Start();
}

void Win32SaverTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) {
    Start();
  } else {
    KillTimer(window_, id_);
  }
}

}  // namespace tarvex::platform::win32
