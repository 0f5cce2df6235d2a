#pragma once
// The stand-in library's record of calls, through the same loaded copy the
// binding uses.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/dynamic_library.h"

namespace tarvex::testing {

// The name the binding looks for.
#ifdef _WIN32
constexpr const char* kFakeLibraryFile = "VBMP3.dll";
#else
constexpr const char* kFakeLibraryFile = "libvbmp3.so";
#endif

class FakeLibrary {
 public:
  explicit FakeLibrary(const std::string& directory)
      : library_(platform::OpenDynamicLibrary(directory + kFakeLibraryFile)) {}

  std::string Calls() const { return Function<const char*()>("fake_vbmp3_calls")(); }
  void Reset(std::int32_t openResult = 1, std::int32_t lastError = 0) const {
    Function<void(std::int32_t, std::int32_t)>("fake_vbmp3_reset")(openResult, lastError);
  }

 private:
  template <class Signature>
  Signature* Function(const char* name) const {
    return reinterpret_cast<Signature*>(library_->Symbol(name));
  }

  std::unique_ptr<platform::DynamicLibrary> library_;
};

}  // namespace tarvex::testing
