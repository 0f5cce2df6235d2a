#pragma once
// SIGTERM, SIGINT and SIGHUP, the daemons' way to end a saver, turned into
// an ordinary event of the Qt event loop (through a pipe the handler writes
// to), so the saver ends as after a close: music stopped, status 0.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace tarvex::qt {

class EndSignals {
 public:
  // Installs the handlers; a signal that comes before Watch waits for it.
  EndSignals();
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

  // Calls `ended` from the event loop once a signal has come (at once when
  // one came already). Needs the Qt application.
  void Watch(std::function<void()> ended);

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> ended_;
};

}  // namespace tarvex::qt
