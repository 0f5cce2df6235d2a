#include "platform/qt/qt_saver_timer.h"

namespace tarvex::qt {

QtSaverTimer::QtSaverTimer(std::function<void()> tick) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(platform::TimerPeriodMs(interval_));
  QObject::connect(&timer_, &QTimer::timeout, std::move(tick));
}

void QtSaverTimer::SetInterval(std::int32_t milliseconds) {
  interval_ = milliseconds;
  timer_.setInterval(platform::TimerPeriodMs(milliseconds));
}

void QtSaverTimer::SetEnabled(bool enabled) {
  if (enabled && !timer_.isActive()) {
    timer_.start();
  } else if (!enabled) {
    timer_.stop();
  }
}

}  // namespace tarvex::qt
