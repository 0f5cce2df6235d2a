// A stand-in for the playback library in the program directory, for the
// end-to-end tests: the real library (linked in, from the build) does the
// work, and vbmp3_init also sends its sound to the WAV file named by
// TARVEX_WAV_OUT instead of the sound card, in real time. The program finds
// the other functions through this library's dependency.

#include <dlfcn.h>

#include <cstdlib>

#include "vbmp3/vbmp3.h"

extern "C" VBMP3_API int32_t vbmp3_init() {
  using Init = decltype(vbmp3_init);
  const int32_t result = reinterpret_cast<Init*>(dlsym(RTLD_NEXT, "vbmp3_init"))();
  vbmp3x_setWavOutput(std::getenv("TARVEX_WAV_OUT"), 1);
  return result;
}
