#pragma once
// A saver form for tests of the window host: records each event procedure
// the host calls, with its arguments, and runs an action the test installs.

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/saver_window_host.h"

namespace tarvex::testing {

class RecordingForm : public platform::SaverWindowEvents {
 public:
  std::vector<std::string> calls;
  // Runs after each recorded call, with its record.
  std::function<void(const std::string&)> after;
  // Form_Unload sets Cancel to this.
  std::int16_t cancel = 0;

  void Form_Activate() override { Record("Form_Activate"); }
  void tmrStr_Timer() override { Record("tmrStr_Timer"); }
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override {
    Record(Text("Form_KeyDown", KeyCode, Shift));
  }
  void Form_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override {
    Record(Text("Form_MouseMove", Button, Shift, X, Y));
  }
  void picTARVEX_Click(std::int16_t Index) override { Record(Text("picTARVEX_Click", Index)); }
  void picTARVEX_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift) override {
    Record(Text("picTARVEX_KeyDown", Index, KeyCode, Shift));
  }
  void picTARVEX_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X,
                           float Y) override {
    Record(Text("picTARVEX_MouseMove", Index, Button, Shift, X, Y));
  }
  void Form_Unload(std::int16_t& Cancel) override {
    Cancel = cancel;
    Record("Form_Unload");
  }

  int Count(const std::string& call) const {
    int count = 0;
    for (const auto& made : calls) count += made == call ? 1 : 0;
    return count;
  }

 private:
  template <class... Args>
  static std::string Text(const char* name, Args... args) {
    std::ostringstream text;
    text << name << '(';
    const char* separator = "";
    ((text << separator << args, separator = ","), ...);
    text << ')';
    return text.str();
  }

  void Record(const std::string& call) {
    calls.push_back(call);
    if (after) after(call);
  }
};

}  // namespace tarvex::testing
