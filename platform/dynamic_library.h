#pragma once
// Loading a shared library by file name and looking up its functions.

#include <memory>
#include <string>

namespace tarvex::platform {

class DynamicLibrary {
 public:
  virtual ~DynamicLibrary() = default;
  // The address of the exported function, or nullptr.
  virtual void* Symbol(const char* name) = 0;
};

// Opens the library at `path` (a bare file name uses the system's search);
// nullptr when it cannot be loaded.
std::unique_ptr<DynamicLibrary> OpenDynamicLibrary(const std::string& path);

}  // namespace tarvex::platform
