// A stand-in playback library for the binding's tests: it records each call
// and answers vbmp3_open as the test tells it to.

#include <cstring>
#include <string>

#include "vbmp3/vbmp3.h"

namespace {
std::string calls;
int32_t openResult = 1;
int32_t lastError = 0;

void Record(const std::string& call) {
  if (!calls.empty()) calls += ' ';
  calls += call;
}
}  // namespace

extern "C" {

VBMP3_API const char* fake_vbmp3_calls() {
  return calls.c_str();
}
VBMP3_API void fake_vbmp3_reset(int32_t result, int32_t error) {
  calls.clear();
  openResult = result;
  lastError = error;
}

VBMP3_API int32_t VBMP3_CALL vbmp3_init() {
  Record("init");
  return 1;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getState(int32_t* state) {
  Record("getState(" + std::to_string(*state) + ")");
  *state = 7;
  return 1;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getEncodeState(int32_t* state, int32_t* progress) {
  Record("getEncodeState(" + std::to_string(*state) + "," + std::to_string(*progress) + ")");
  return 1;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getVolume(int32_t* left, int32_t* right) {
  Record("getVolume");
  *left = *right = 100;
  return 1;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_stop() {
  Record("stop");
  return 1;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_open(const char* path, VBMP3_OPEN_INFO* info) {
  VBMP3_OPEN_INFO zero{};
  Record(std::string("open(") + path +
         (std::memcmp(info, &zero, sizeof zero) == 0 ? ",zeroed)" : ",dirty)"));
  return openResult;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getLastErrorNo() {
  Record("getLastErrorNo");
  return lastError;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_play() {
  Record("play");
  return 1;
}
#ifndef FAKE_VBMP3_WITHOUT_ENCODE_STOP
VBMP3_API int32_t VBMP3_CALL vbmp3_encodeStop() {
  Record("encodeStop");
  return 1;
}
#endif
}
