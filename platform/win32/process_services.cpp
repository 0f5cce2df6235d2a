#include "platform/win32/process_services.h"

#include <windows.h>

#include "platform/win32/text_arguments.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform::win32 {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The full path of the program file, in the ANSI code page.
std::string ModulePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
}

}  // namespace

bool ClaimInstance(const char* mutexName) {
  // The handle stays open until the process ends, and the mutex with it.
  const HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName);
  if (mutex == nullptr) return true;
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool ClaimSingleInstance() {
  static const bool claimed = ClaimInstance(kInstanceMutexName);
  return claimed;
}

std::string DirectoryOfModule(std::string_view modulePath) {
  // Searched in program text: in the ANSI bytes a double-byte character may
  // end in 0x5C, the backslash.
  const std::size_t slash = modulePath.find_last_of("\\/");
  if (slash == std::string_view::npos) return {};
  const std::string_view directory = modulePath.substr(0, slash);
  const bool driveRoot = directory.size() == 2 && directory[1] == ':';
  return std::string(driveRoot ? modulePath.substr(0, slash + 1) : directory);
}

std::string ProgramDirectory() {
  return DirectoryOfModule(runtime::AnsiToText(ModulePath()));
}

std::string_view ArgumentsOf(std::string_view commandLine) {
  bool quoted = false;
  std::size_t pos = 0;
  for (; pos < commandLine.size(); ++pos) {
    const char c = commandLine[pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    }
  }
  while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
  return commandLine.substr(pos);
}

std::string CommandLineText() {
  // ANSI bytes: a double-byte character never holds a blank or a quote.
  return runtime::AnsiToText(ArgumentsOf(GetCommandLineA()));
}

bool NormalFileExists(const std::string& path) {
  const auto ansiPath = AnsiArgument(path);
  if (!ansiPath || ansiPath->empty()) return false;
  const DWORD attributes = GetFileAttributesA(ansiPath->c_str());
  constexpr DWORD kNotNormal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotNormal) == 0;
}

}  // namespace tarvex::platform::win32
