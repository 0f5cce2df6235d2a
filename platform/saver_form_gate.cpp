#include "platform/saver_form_gate.h"

#include <cstdint>

namespace tarvex::platform {

void SaverFormGate::Dispatch(const std::function<void(SaverWindowEvents&)>& call) {
  if (form_ == nullptr || error_) return;
  try {
    call(*form_);
  } catch (...) {
    error_ = std::current_exception();
    closed_ = true;
    ended_(true);
  }
}

bool SaverFormGate::MayClose() {
  if (closed_) return true;
  if (unloading_) return false;
  unloading_ = true;
  std::int16_t cancel = 0;
  Dispatch([&](SaverWindowEvents& form) { form.Form_Unload(cancel); });
  unloading_ = false;
  return cancel == 0 || Failed();
}

void SaverFormGate::Closed() {
  closed_ = true;
  ended_(false);
}

void SaverFormGate::RethrowIfFailed() const {
  if (error_) std::rethrow_exception(error_);
}

}  // namespace tarvex::platform
