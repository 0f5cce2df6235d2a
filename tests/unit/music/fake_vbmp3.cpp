// A stand-in playback library: it records each call and answers vbmp3_open
// as the test tells it to.

#include <cstring>
#include <string>

#include "vbmp3/vbmp3.h"

namespace {
std::string calls;
int32_t openResult = 1;
int32_t lastError = 0;

int32_t Record(const std::string& call) {
  calls += (calls.empty() ? "" : " ") + call;
  return 1;
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
// The calls without arguments only record their name.
#define RECORDED(name)                          \
  VBMP3_API int32_t VBMP3_CALL vbmp3_##name() { \
    return Record(#name);                       \
  }
RECORDED(init)
RECORDED(stop)
RECORDED(play)
VBMP3_API int32_t VBMP3_CALL vbmp3_getState(int32_t* state) {
  Record("getState(" + std::to_string(*state) + ")");
  *state = 7;
  return 1;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getEncodeState(int32_t* state, int32_t* progress) {
  return Record("getEncodeState(" + std::to_string(*state) + "," + std::to_string(*progress) + ")");
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getVolume(int32_t* left, int32_t* right) {
  *left = *right = 100;
  return Record("getVolume");
}
VBMP3_API int32_t VBMP3_CALL vbmp3_open(const char* path, VBMP3_OPEN_INFO* info) {
  const VBMP3_OPEN_INFO zero{};
  Record(std::string("open(") + path +
         (std::memcmp(info, &zero, sizeof zero) ? ",dirty)" : ",zeroed)"));
  return openResult;
}
VBMP3_API int32_t VBMP3_CALL vbmp3_getLastErrorNo() {
  Record("getLastErrorNo");
  return lastError;
}
#ifndef FAKE_VBMP3_WITHOUT_ENCODE_STOP
RECORDED(encodeStop)
#endif
}
