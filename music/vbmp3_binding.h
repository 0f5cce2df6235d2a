#pragma once
// The playback library, bound by name at the first call: the library file is
// opened from the program directory first, then by the system's search; each
// function is looked up by name. A missing library raises run-time error 48
// and a missing function error 453, in the caller.

#include <cstdint>
#include <string>

#include "vbmp3/vbmp3.h"

namespace tarvex::music {

using Mp3OpenInfo = VBMP3_OPEN_INFO;
static_assert(sizeof(Mp3OpenInfo) == 272, "the library's record layout");

// Where the library is looked for first (the program directory). Set by Main
// before the first call; a library bound from another directory is released.
void SetLibraryDirectory(std::string directory);

void vbmp3_init();
void vbmp3_getState(std::int32_t& state);
void vbmp3_getEncodeState(std::int32_t& state, std::int32_t& progress);
void vbmp3_getVolume(std::int32_t& left, std::int32_t& right);
void vbmp3_stop();
// `path` is program text; it is handed over in the system's encoding.
std::int16_t vbmp3_open(const std::string& path, Mp3OpenInfo& info);
std::int32_t vbmp3_getLastErrorNo();
void vbmp3_play();
void vbmp3_encodeStop();

// The saver window's poll of the library: getState, then getEncodeState,
// both with zeroed arguments; always 0.
std::int32_t getState();

}  // namespace tarvex::music
