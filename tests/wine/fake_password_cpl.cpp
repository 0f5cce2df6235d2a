// A stand-in for password.cpl: VerifyScreenSavePwd answers with the number in
// the environment variable TARVEX_FAKE_PASSWORD_ANSWER and remembers the
// window it was given.

#include <windows.h>

#include <cstdlib>

namespace {
HWND lastOwner = nullptr;
}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
  lastOwner = owner;
  char answer[32] = {};
  GetEnvironmentVariableA("TARVEX_FAKE_PASSWORD_ANSWER", answer, sizeof answer);
  return static_cast<BOOL>(std::strtoul(answer, nullptr, 0));
}

__declspec(dllexport) HWND WINAPI FakeLastOwner() {
  return lastOwner;
}

}  // extern "C"
