#pragma once
// SIGTERM, SIGINT and SIGHUP, the daemons' way to end a saver, turned into
// an ordinary event of the Qt event loop (through a pipe the handler writes
// to), so the saver ends as after a close, music stopped; then it dies of
// the signal after all (RaiseReceived), as its sender expects.

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

  // Once the saver has cleaned up: dies of the signal that came, if one
  // did, so that a daemon sees its saver end of the signal it sent
  // (XScreenSaver logs a saver that exits by itself after its SIGTERM, even
  // with status 0, as ended abnormally).
  static void RaiseReceived();

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> ended_;
};

}  // namespace tarvex::qt
