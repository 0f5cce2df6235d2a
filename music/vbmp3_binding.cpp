// The playback library's functions, bound by name at their first call.

#include "music/vbmp3_binding.h"

#include <map>
#include <memory>

#include "platform/dynamic_library.h"
#include "runtime/ansi_text.h"
#include "runtime/runtime_error.h"

namespace tarvex::music {
namespace {

#if defined(_WIN32)
constexpr const char* kLibraryFile = "VBMP3.dll";
#else
constexpr const char* kLibraryFile = "libvbmp3.so";
#endif

struct Binding {
  std::string directory;
  std::unique_ptr<platform::DynamicLibrary> library;
  std::map<std::string, void*, std::less<>> functions;
};

Binding& TheBinding() {
  static Binding binding;
  return binding;
}

// A library that cannot be loaded is tried again at the next call, as a
// user may put it in place while the program runs.
platform::DynamicLibrary& Library() {
  Binding& b = TheBinding();
  if (!b.library && !b.directory.empty()) {
    b.library = platform::OpenDynamicLibrary(b.directory + kLibraryFile);
  }
  if (!b.library) b.library = platform::OpenDynamicLibrary(kLibraryFile);
  if (!b.library) throw runtime::RuntimeError(runtime::kDllNotFound, kLibraryFile);
  return *b.library;
}

template <class Function>
Function* Bound(const char* name) {
  platform::DynamicLibrary& library = Library();
  auto& functions = TheBinding().functions;
  auto it = functions.find(name);
  if (it == functions.end()) {
    void* address = library.Symbol(name);
    if (address == nullptr) throw runtime::RuntimeError(runtime::kEntryPointNotFound, name);
    it = functions.emplace(name, address).first;
  }
  return reinterpret_cast<Function*>(it->second);
}

// File names go to the library in the system's encoding.
std::string SystemFileName(const std::string& path) {
#if defined(_WIN32)
  return runtime::TextToAnsiLossy(path);
#else
  return path;
#endif
}

}  // namespace

void SetLibraryDirectory(std::string directory) {
  Binding& b = TheBinding();
  if (b.directory == directory) return;
  b.functions.clear();
  b.library.reset();
  b.directory = std::move(directory);
}

void vbmp3_init() {
  Bound<decltype(::vbmp3_init)>("vbmp3_init")();
}

void vbmp3_getState(std::int32_t& state) {
  Bound<decltype(::vbmp3_getState)>("vbmp3_getState")(&state);
}

void vbmp3_getEncodeState(std::int32_t& state, std::int32_t& progress) {
  Bound<decltype(::vbmp3_getEncodeState)>("vbmp3_getEncodeState")(&state, &progress);
}

void vbmp3_getVolume(std::int32_t& left, std::int32_t& right) {
  Bound<decltype(::vbmp3_getVolume)>("vbmp3_getVolume")(&left, &right);
}

void vbmp3_stop() {
  Bound<decltype(::vbmp3_stop)>("vbmp3_stop")();
}

std::int16_t vbmp3_open(const std::string& path, Mp3OpenInfo& info) {
  const std::string name = SystemFileName(path);
  // The result is a 16-bit value to the caller: only the low half counts.
  return static_cast<std::int16_t>(
      Bound<decltype(::vbmp3_open)>("vbmp3_open")(name.c_str(), &info));
}

std::int32_t vbmp3_getLastErrorNo() {
  return Bound<decltype(::vbmp3_getLastErrorNo)>("vbmp3_getLastErrorNo")();
}

void vbmp3_play() {
  Bound<decltype(::vbmp3_play)>("vbmp3_play")();
}

void vbmp3_encodeStop() {
  Bound<decltype(::vbmp3_encodeStop)>("vbmp3_encodeStop")();
}

std::int32_t getState() {
  std::int32_t state = 0;
  vbmp3_getState(state);
  std::int32_t encodeState = 0;
  std::int32_t progress = 0;
  vbmp3_getEncodeState(encodeState, progress);
  return 0;
}

}  // namespace tarvex::music
