// The playback library for the end-to-end tests: the real one (its dependency,
// which also serves the other functions) plays, in real time, to the WAV file
// TARVEX_WAV_OUT instead of the sound card.

#include <dlfcn.h>

#include <cstdlib>

#include "vbmp3/vbmp3.h"

extern "C" VBMP3_API int32_t vbmp3_init() {
  using Init = decltype(vbmp3_init);
  const int32_t result = reinterpret_cast<Init*>(dlsym(RTLD_NEXT, "vbmp3_init"))();
  vbmp3x_setWavOutput(std::getenv("TARVEX_WAV_OUT"), 1);
  return result;
}
