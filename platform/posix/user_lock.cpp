#include "platform/posix/user_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tarvex::platform::posix {
namespace {

std::string LockPath(const std::string& stem) {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir != nullptr && *runtimeDir != '\0') {
    return std::string(runtimeDir) + "/" + stem + ".lock";
  }
  return (std::filesystem::temp_directory_path() /
          (stem + "-" + std::to_string(getuid()) + ".lock"))
      .string();
}

}  // namespace

bool ClaimUserLock(const std::string& stem) {
  // The descriptor is never closed: the lock ends with the process, however
  // it ends.
  const int fd = open(LockPath(stem).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  return fd < 0 || flock(fd, LOCK_EX | LOCK_NB) == 0;
}

}  // namespace tarvex::platform::posix
