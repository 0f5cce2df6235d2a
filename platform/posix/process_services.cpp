#include "platform/posix/process_services.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tarvex::platform::posix {
namespace {

std::string LockPath() {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir != nullptr && *runtimeDir != '\0') {
    return std::string(runtimeDir) + "/tarvex.lock";
  }
  return (std::filesystem::temp_directory_path() / ("tarvex-" + std::to_string(getuid()) + ".lock"))
      .string();
}

}  // namespace

bool ClaimSingleInstance() {
  // The descriptor stays open for the life of the process: the lock ends
  // with it, however the process ends.
  static const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  static const bool claimed = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0;
  return claimed || fd < 0;
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
