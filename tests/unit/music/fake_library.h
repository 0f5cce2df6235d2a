#pragma once
// Access to the stand-in library's record of calls, through the same loaded
// copy the binding uses.

#include <dlfcn.h>

#include <cstdint>
#include <string>

namespace tarvex::testing {

class FakeLibrary {
 public:
  explicit FakeLibrary(const std::string& directory)
      : handle_(dlopen((directory + "libvbmp3.so").c_str(), RTLD_NOW)) {}
  ~FakeLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  FakeLibrary(const FakeLibrary&) = delete;
  FakeLibrary& operator=(const FakeLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  std::string Calls() const {
    auto* calls = reinterpret_cast<const char* (*)()>(dlsym(handle_, "fake_vbmp3_calls"));
    return calls();
  }
  void Reset(std::int32_t openResult = 1, std::int32_t lastError = 0) const {
    auto* reset =
        reinterpret_cast<void (*)(std::int32_t, std::int32_t)>(dlsym(handle_, "fake_vbmp3_reset"));
    reset(openResult, lastError);
  }

 private:
  void* handle_;
};

}  // namespace tarvex::testing
