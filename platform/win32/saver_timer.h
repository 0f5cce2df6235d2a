#pragma once
// tmrStr on Win32: a SetTimer timer of the saver window, whose WM_TIMER
// messages the window's message loop serves between other events. The
// interval is kept as set; the period used follows platform::TimerPeriodMs
// (a zero or negative interval runs at 25 ms).

#include "platform/win32/windows_api.h"

#include <cstdint>

#include "platform/saver_window_host.h"

namespace tarvex::platform::win32 {

class Win32SaverTimer final : public SaverTimer {
 public:
  // Ticks arrive as WM_TIMER with `id` at `window`.
  Win32SaverTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
  ~Win32SaverTimer() override { SetEnabled(false); }
  Win32SaverTimer(const Win32SaverTimer&) = delete;
  Win32SaverTimer& operator=(const Win32SaverTimer&) = delete;

  std::int32_t Interval() const override { return interval_; }
  void SetInterval(std::int32_t milliseconds) override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override;

 private:
  void Start();

  HWND window_;
  UINT_PTR id_;
  std::int32_t interval_ = 100;
  bool enabled_ = false;
};

}  // namespace tarvex::platform::win32
