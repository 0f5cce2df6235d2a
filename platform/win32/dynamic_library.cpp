#include "platform/dynamic_library.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/text_arguments.h"

namespace tarvex::platform {
namespace {

class Win32Library : public DynamicLibrary {
 public:
  explicit Win32Library(HMODULE module) : module_(module) {}
  ~Win32Library() override { FreeLibrary(module_); }
  Win32Library(const Win32Library&) = delete;
  Win32Library& operator=(const Win32Library&) = delete;

  void* Symbol(const char* name) override {
    const FARPROC address = GetProcAddress(module_, name);
    // A function address as the data pointer the interface hands out.
    void* symbol = nullptr;
    static_assert(sizeof symbol == sizeof address);
    std::memcpy(&symbol, &address, sizeof symbol);
    return symbol;
  }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<DynamicLibrary> OpenDynamicLibrary(const std::string& path) {
  const auto ansiPath = win32::AnsiArgument(path);
  if (!ansiPath || ansiPath->empty()) return nullptr;
  // A library that is missing or broken is reported to the caller, not in a
  // system message box.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  const HMODULE module = LoadLibraryA(ansiPath->c_str());
  SetThreadErrorMode(previousMode, nullptr);
  if (module == nullptr) return nullptr;
  return std::make_unique<Win32Library>(module);
}

}  // namespace tarvex::platform
