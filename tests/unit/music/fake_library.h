#pragma once
// Access to the stand-in library's record of calls, through the same loaded
// copy the binding uses.

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstdint>
#include <cstring>
#include <string>

namespace tarvex::testing {

// The stand-in's file name in its folder: the name the binding looks for.
#ifdef _WIN32
constexpr const char* kFakeLibraryFile = "VBMP3.dll";
#else
constexpr const char* kFakeLibraryFile = "libvbmp3.so";
#endif

class FakeLibrary {
 public:
  explicit FakeLibrary(const std::string& directory)
      : handle_(Open((directory + kFakeLibraryFile).c_str())) {}
  ~FakeLibrary() {
    if (handle_ != nullptr) Close(handle_);
  }
  FakeLibrary(const FakeLibrary&) = delete;
  FakeLibrary& operator=(const FakeLibrary&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  std::string Calls() const { return Function<const char*()>("fake_vbmp3_calls")(); }
  void Reset(std::int32_t openResult = 1, std::int32_t lastError = 0) const {
    Function<void(std::int32_t, std::int32_t)>("fake_vbmp3_reset")(openResult, lastError);
  }

 private:
#ifdef _WIN32
  using Handle = HMODULE;
  static Handle Open(const char* path) {
    return ::LoadLibraryA(path);
  }
  static void Close(Handle handle) {
    ::FreeLibrary(handle);
  }
  static void* Symbol(Handle handle, const char* name) {
    const FARPROC address = ::GetProcAddress(handle, name);
    void* symbol = nullptr;
    std::memcpy(&symbol, &address, sizeof symbol);
    return symbol;
  }
#else
  using Handle = void*;
  static Handle Open(const char* path) {
    return ::dlopen(path, RTLD_NOW);
  }
  static void Close(Handle handle) {
    ::dlclose(handle);
  }
  static void* Symbol(Handle handle, const char* name) {
    return ::dlsym(handle, name);
  }
#endif

  template <class Signature>
  Signature* Function(const char* name) const {
    return reinterpret_cast<Signature*>(Symbol(handle_, name));
  }

  Handle handle_;
};

}  // namespace tarvex::testing
