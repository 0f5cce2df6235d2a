#include "platform/file_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/runtime_error.h"

namespace tarvex::platform {
namespace {

int ErrorNumberOf(int err) {
  switch (err) {
    case ENOENT:
      return runtime::kFileNotFound;
    case ENOTDIR:
      return runtime::kPathNotFound;
    case ENAMETOOLONG:
    case EILSEQ:
      return runtime::kBadFileName;
    case EACCES:
    case EPERM:
      return runtime::kPermissionDenied;
    case ENOMEM:
      return runtime::kOutOfMemory;
    default:
      return runtime::kPathFileAccessError;
  }
}

// A missing file in a missing directory is a path error, not a file error.
int MissingErrorNumber(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return runtime::kFileNotFound;
  struct stat info {};
  const std::string dir = path.substr(0, slash);
  return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? runtime::kFileNotFound
                                                                : runtime::kPathNotFound;
}

[[noreturn]] void Fail(int err, const std::string& path) {
  const int number = err == ENOENT ? MissingErrorNumber(path) : ErrorNumberOf(err);
  throw runtime::RuntimeError(number, path);
}

}  // namespace

std::string ReadFileForInput(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    throw runtime::RuntimeError(runtime::kBadFileNameOrNumber, path);
  }
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(errno, path);
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    throw runtime::RuntimeError(runtime::kPathFileAccessError, path);
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      close(fd);
      Fail(err, path);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return bytes;
}

}  // namespace tarvex::platform
