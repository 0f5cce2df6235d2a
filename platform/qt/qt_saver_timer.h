#pragma once
// tmrStr on Qt. The interval is kept as set; the period actually used follows
// platform::TimerPeriodMs (a zero or negative interval runs at 25 ms).

#include <QTimer>
#include <cstdint>
#include <functional>

#include "platform/saver_window_host.h"

namespace tarvex::qt {

class QtSaverTimer final : public platform::SaverTimer {
 public:
  explicit QtSaverTimer(std::function<void()> tick);

  std::int32_t Interval() const override { return interval_; }
  void SetInterval(std::int32_t milliseconds) override;
  bool Enabled() const override { return timer_.isActive(); }
  void SetEnabled(bool enabled) override;

 private:
  QTimer timer_;
  std::int32_t interval_ = 100;
};

}  // namespace tarvex::qt
