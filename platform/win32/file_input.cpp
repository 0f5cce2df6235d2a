// Sequential file input with CreateFileA and ReadFile, failures numbered as
// the run-time errors the program reports.

#include <windows.h>

#include "platform/file_input.h"
#include "platform/win32/text_arguments.h"
#include "runtime/runtime_error.h"

namespace tarvex::platform {

namespace {

constexpr DWORD kChunkBytes = 65536;

bool IsDirectory(const std::string& ansiPath) {
  const DWORD attributes = GetFileAttributesA(ansiPath.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int ErrorNumberOf(DWORD error, const std::string& ansiPath) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return runtime::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return runtime::kPathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return runtime::kBadFileName;
    case ERROR_ACCESS_DENIED:
      // Opening a directory as a file is refused as an access error too.
      return IsDirectory(ansiPath) ? runtime::kPathFileAccessError : runtime::kPermissionDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return runtime::kPermissionDenied;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return runtime::kOutOfMemory;
    default:
      return runtime::kPathFileAccessError;
  }
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::string ReadFileForInput(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    throw runtime::RuntimeError(runtime::kBadFileNameOrNumber, path);
  }
  const auto ansiPath = win32::AnsiArgument(path);
  if (!ansiPath) throw runtime::RuntimeError(runtime::kBadFileName, path);
  const FileHandle file(CreateFileA(ansiPath->c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    throw runtime::RuntimeError(ErrorNumberOf(GetLastError(), *ansiPath), path);
  }
  // A device or a pipe is no file to read to its end.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    throw runtime::RuntimeError(runtime::kPathFileAccessError, path);
  }
  std::string bytes;
  std::string chunk(kChunkBytes, '\0');
  for (;;) {
    DWORD read = 0;
    if (ReadFile(file.get(), chunk.data(), kChunkBytes, &read, nullptr) == FALSE) {
      throw runtime::RuntimeError(ErrorNumberOf(GetLastError(), *ansiPath), path);
    }
    if (read == 0) break;
    bytes.append(chunk, 0, read);
  }
  return bytes;
}

}  // namespace tarvex::platform
