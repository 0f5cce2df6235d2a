// A stand-in for the playback library in the program directory, for the
// end-to-end tests: it forwards every call to the real library (named by
// TARVEX_REAL_VBMP3) and, at vbmp3_init, sends the sound to the WAV file
// named by TARVEX_WAV_OUT instead of the sound card, in real time.

#include <dlfcn.h>

#include <cstdlib>

#include "vbmp3/vbmp3.h"

namespace {

void* RealLibrary() {
  static void* handle = dlopen(std::getenv("TARVEX_REAL_VBMP3"), RTLD_NOW | RTLD_LOCAL);
  return handle;
}

template <class Function>
Function* Real(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RealLibrary(), name));
}

}  // namespace

extern "C" {

VBMP3_API int32_t vbmp3_init() {
  const int32_t result = Real<decltype(vbmp3_init)>("vbmp3_init")();
  Real<decltype(vbmp3x_setWavOutput)>("vbmp3x_setWavOutput")(std::getenv("TARVEX_WAV_OUT"), 1);
  return result;
}
VBMP3_API int32_t vbmp3_getState(int32_t* state) {
  return Real<decltype(vbmp3_getState)>("vbmp3_getState")(state);
}
VBMP3_API int32_t vbmp3_getEncodeState(int32_t* state, int32_t* progress) {
  return Real<decltype(vbmp3_getEncodeState)>("vbmp3_getEncodeState")(state, progress);
}
VBMP3_API int32_t vbmp3_getVolume(int32_t* left, int32_t* right) {
  return Real<decltype(vbmp3_getVolume)>("vbmp3_getVolume")(left, right);
}
VBMP3_API int32_t vbmp3_stop() {
  return Real<decltype(vbmp3_stop)>("vbmp3_stop")();
}
VBMP3_API int32_t vbmp3_open(const char* path, VBMP3_OPEN_INFO* info) {
  return Real<decltype(vbmp3_open)>("vbmp3_open")(path, info);
}
VBMP3_API int32_t vbmp3_getLastErrorNo() {
  return Real<decltype(vbmp3_getLastErrorNo)>("vbmp3_getLastErrorNo")();
}
VBMP3_API int32_t vbmp3_play() {
  return Real<decltype(vbmp3_play)>("vbmp3_play")();
}
VBMP3_API int32_t vbmp3_encodeStop() {
  return Real<decltype(vbmp3_encodeStop)>("vbmp3_encodeStop")();
}
}
