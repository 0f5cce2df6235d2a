#include "platform/win32/password_services.h"

#include <windows.h>

#include <cstring>

#include "platform/dynamic_library.h"
#include "platform/win32/text_arguments.h"

namespace tarvex::platform::win32 {

namespace {

using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND);
using PwdChangePasswordAFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

template <class Function>
Function Bound(DynamicLibrary& library, const char* name) {
  void* symbol = library.Symbol(name);
  Function function = nullptr;
  static_assert(sizeof function == sizeof symbol);
  std::memcpy(&function, &symbol, sizeof function);
  return function;
}

HWND ToWindow(WindowHandle handle) {
  return reinterpret_cast<HWND>(handle);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace

bool VerifyScreenSavePwd(WindowHandle owner) {
  const auto library = OpenDynamicLibrary("password.cpl");
  if (!library) return true;  // the system locks the desktop itself
  const auto verify = Bound<VerifyScreenSavePwdFunction>(*library, "VerifyScreenSavePwd");
  if (verify == nullptr) return true;
  return (static_cast<DWORD>(verify(ToWindow(owner))) & 0xFFFFU) != 0;
}

bool PwdChangePasswordA(const std::string& provider, WindowHandle parent) {
  const auto ansiProvider = AnsiArgument(provider);
  if (!ansiProvider) return false;
  const auto library = OpenDynamicLibrary("mpr.dll");
  if (!library) return false;
  const auto change = Bound<PwdChangePasswordAFunction>(*library, "PwdChangePasswordA");
  if (change == nullptr) return false;
  change(ansiProvider->c_str(), ToWindow(parent), 0, 0);
  return true;
}

}  // namespace tarvex::platform::win32
