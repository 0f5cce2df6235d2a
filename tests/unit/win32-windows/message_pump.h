#pragma once
// Serves this thread's window messages until a condition holds, for tests of
// windows driven by posted messages and timers. The limit only keeps a broken
// window from hanging the test run.

#include <chrono>
#include <functional>

#include "platform/win32/windows_api.h"

namespace tarvex::testing {

inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace tarvex::testing
