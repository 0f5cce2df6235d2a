#include "platform/file_input.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "platform/posix/atomic_file.h"
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
  // A directory opens but does not read (EISDIR), which is error 75.
  std::error_code error;
  std::optional<std::string> bytes = posix::ReadFileBytes(path, error);
  if (!bytes) Fail(error.value(), path);
  return *std::move(bytes);
}

}  // namespace tarvex::platform
