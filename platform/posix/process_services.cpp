#include "platform/posix/process_services.h"

#include <sys/stat.h>

#include <filesystem>

#include "platform/posix/user_lock.h"

namespace tarvex::platform::posix {

bool ClaimSingleInstance() {
  static const bool claimed = ClaimUserLock("tarvex");
  return claimed;
}

std::string ProgramDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return exe.parent_path().string();
}

std::string CommandLineText(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

bool NormalFileExists(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return !std::filesystem::path(path).filename().string().starts_with('.');
}

}  // namespace tarvex::platform::posix
