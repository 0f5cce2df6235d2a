// The exported functions: thin C wrappers around the one player. No exception
// crosses this boundary.

#include <cstring>
#include <exception>

#include "vbmp3/player.h"
#include "vbmp3/tag_text.h"
#include "vbmp3/vbmp3.h"

static_assert(sizeof(VBMP3_OPEN_INFO) == 272, "the record layout the program passes");

namespace tarvex::vbmp3 {
namespace {

Player& ThePlayer() {
  static Player player;
  return player;
}

// Runs `body` (which returns an error number) and turns it into the C result.
template <class Body>
std::int32_t Call(Body&& body) noexcept {
  std::int32_t error = VBMP3_ERR_NONE;
  try {
    error = body();
  } catch (const std::exception&) {  // out of memory, or no thread to be had
    error = VBMP3_ERR_OUT_OF_RESOURCES;
  }
  if (error == VBMP3_ERR_NONE) return 1;
  ThePlayer().SetLastError(error);
  return 0;
}

void Fill(const StreamInfo& from, VBMP3_OPEN_INFO& to) {
  CopyToField(from.title, to.title);
  CopyToField(from.artist, to.artist);
  to.sampleRate = from.format.sampleRate;
  to.channels = from.format.channels;
  to.bitRate = from.bitRateKbps;
  to.playTimeMs = from.lengthMs;
}

}  // namespace
}  // namespace tarvex::vbmp3

using tarvex::vbmp3::Call;
using tarvex::vbmp3::ThePlayer;

extern "C" {

VBMP3_API int32_t VBMP3_CALL vbmp3_init(void) {
  return Call([]() -> std::int32_t {
    ThePlayer().SetLastError(VBMP3_ERR_NONE);
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_getState(int32_t* state) {
  return Call([state]() -> std::int32_t {
    if (state == nullptr) return VBMP3_ERR_ARGUMENT;
    *state = ThePlayer().State();
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_getEncodeState(int32_t* state, int32_t* progress) {
  return Call([state, progress]() -> std::int32_t {
    if (state == nullptr || progress == nullptr) return VBMP3_ERR_ARGUMENT;
    *state = VBMP3_ENCODE_NONE;
    *progress = 0;
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_getVolume(int32_t* left, int32_t* right) {
  return Call([left, right]() -> std::int32_t {
    if (left == nullptr || right == nullptr) return VBMP3_ERR_ARGUMENT;
    *left = 100;
    *right = 100;
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_stop(void) {
  return Call([]() -> std::int32_t {
    ThePlayer().Stop();
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_open(const char* path, VBMP3_OPEN_INFO* info) {
  return Call([path, info]() -> std::int32_t {
    if (path == nullptr || info == nullptr || *path == '\0') return VBMP3_ERR_ARGUMENT;
    std::memset(info, 0, sizeof *info);
    const std::int32_t error = ThePlayer().Open(path);
    if (error == VBMP3_ERR_NONE) tarvex::vbmp3::Fill(ThePlayer().Info(), *info);
    return error;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_getLastErrorNo(void) {
  return ThePlayer().LastError();
}

VBMP3_API int32_t VBMP3_CALL vbmp3_play(void) {
  return Call([]() -> std::int32_t { return ThePlayer().Play(); });
}

VBMP3_API int32_t VBMP3_CALL vbmp3_encodeStop(void) {
  return 1;
}

VBMP3_API int32_t VBMP3_CALL vbmp3x_setWavOutput(const char* path, int32_t realTime) {
  return Call([path, realTime]() -> std::int32_t {
    ThePlayer().SendToWavFile(path == nullptr ? std::string() : std::string(path), realTime != 0);
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3x_setOutputDriver(const char* names) {
  return Call([names]() -> std::int32_t {
    ThePlayer().ChooseDriver(names == nullptr ? std::string() : std::string(names));
    return VBMP3_ERR_NONE;
  });
}

VBMP3_API int32_t VBMP3_CALL vbmp3x_waitUntilDone(int32_t timeoutMs) {
  try {
    return ThePlayer().WaitUntilDone(std::chrono::milliseconds(timeoutMs)) ? 1 : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

VBMP3_API int64_t VBMP3_CALL vbmp3x_getFramesWritten(void) {
  return ThePlayer().FramesWritten();
}

}  // extern "C"
