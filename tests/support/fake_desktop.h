#pragma once
// A desktop for tests: records every service call in order and answers from
// fields the test sets. Window hosts come from factories the test installs.

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/dialog_window_host.h"
#include "platform/saver_window_host.h"

namespace tarvex::testing {

class FakeDesktop : public platform::Desktop {
 public:
  std::string command_line;
  std::string program_directory = "/tmp";
  std::deque<bool> password_answers;  // VerifyScreenSavePwd results, in order; empty = refused
  std::vector<std::string> fonts = {"IPAPMincho", "IPAGothic"};
  std::function<std::unique_ptr<platform::SaverWindowHost>()> saver_host_factory;
  std::function<std::unique_ptr<platform::DialogWindowHost>()> dialog_host_factory;

  std::vector<std::string> calls;  // e.g. "ShowCursor(0)", "MessageBox(text|caption)"
  int cursor_counter = 0;
  bool screen_saver_running = false;

  bool PreviousInstanceRunning() override { return false; }
  std::string CommandLineText() override { return command_line; }
  std::string ProgramDirectory() override { return program_directory; }

  void MessageBox(const std::string& text, const std::string& caption) override {
    calls.push_back("MessageBox(" + text + "|" + caption + ")");
  }
  int ShowCursor(bool show) override {
    calls.push_back(show ? "ShowCursor(1)" : "ShowCursor(0)");
    return cursor_counter += show ? 1 : -1;
  }
  void SetScreenSaverRunning(bool running) override {
    calls.push_back(running ? "SetScreenSaverRunning(1)" : "SetScreenSaverRunning(0)");
    screen_saver_running = running;
  }
  bool VerifyScreenSavePwd(platform::WindowHandle owner) override {
    calls.push_back("VerifyScreenSavePwd(" + std::to_string(owner) + ")");
    if (password_answers.empty()) return false;
    const bool accepted = password_answers.front();
    password_answers.pop_front();
    return accepted;
  }
  void PwdChangePasswordA(const std::string& provider, platform::WindowHandle parent) override {
    calls.push_back("PwdChangePasswordA(" + provider + "," + std::to_string(parent) + ")");
  }
  bool NormalFileExists(const std::string& path) override {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) &&
           !std::filesystem::path(path).filename().string().starts_with('.');
  }
  std::vector<std::string> ScreenFontNames() override { return fonts; }

  std::unique_ptr<platform::SaverWindowHost> CreateSaverWindowHost() override {
    calls.emplace_back("CreateSaverWindowHost");
    return saver_host_factory ? saver_host_factory() : nullptr;
  }
  std::unique_ptr<platform::DialogWindowHost> CreateDialogWindowHost() override {
    calls.emplace_back("CreateDialogWindowHost");
    return dialog_host_factory ? dialog_host_factory() : nullptr;
  }
};

}  // namespace tarvex::testing
