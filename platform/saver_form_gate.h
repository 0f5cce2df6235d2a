#pragma once
// What every saver window host shares, whatever its toolkit: the form it
// forwards events to, the run-time error that ended the show, and the close
// guard's flags. A host translates its toolkit's events into Dispatch,
// MayClose and Closed calls and leaves the rules to this piece.

#include <exception>
#include <functional>

#include "platform/saver_window_host.h"

namespace tarvex::platform {

class SaverFormGate {
 public:
  // `ended` runs whenever the show ends: with true after a run-time error
  // (the host then also hides its window), with false after a close.
  explicit SaverFormGate(std::function<void(bool failed)> ended) : ended_(std::move(ended)) {}

  void Attach(SaverWindowEvents& form) { form_ = &form; }

  // Calls one event procedure. After a run-time error nothing more reaches
  // the form: the error is kept for RethrowIfFailed and the show ends.
  void Dispatch(const std::function<void(SaverWindowEvents&)>& call);
  // Form_Unload's verdict on a close request. A request made while the form
  // is still deciding (its password prompt is up) is refused; a window that
  // has already closed may close again without asking.
  bool MayClose();
  // The window has closed.
  void Closed();

  bool IsClosed() const { return closed_; }
  bool Failed() const { return static_cast<bool>(error_); }
  // Raises the run-time error that ended the show, if one did.
  void RethrowIfFailed() const;

 private:
  std::function<void(bool failed)> ended_;
  SaverWindowEvents* form_ = nullptr;
  std::exception_ptr error_;
  bool unloading_ = false;
  bool closed_ = false;
};

}  // namespace tarvex::platform
