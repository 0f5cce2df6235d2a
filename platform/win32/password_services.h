#pragma once
// The desktop's screen-saver password services, bound at run time:
// VerifyScreenSavePwd from password.cpl and PwdChangePasswordA from mpr.dll.
//
// password.cpl exists only on the systems that keep a screen-saver password
// of their own (Windows 95, 98 and ME). Windows NT and later, and Wine, lock
// the desktop themselves: the system asks for the user's password when the
// saver ends, before anyone sees the desktop. There a missing password.cpl
// counts as an accepted password, so the saver closes as without a check and
// the system's own lock does the guarding.

#include <cstdint>
#include <string>

namespace tarvex::platform::win32 {

// A window handle as the core passes it (platform::WindowHandle).
using WindowHandle = std::uintptr_t;

// The system's password prompt owned by `owner`; true when the password was
// accepted (only the low 16 bits of the answer count, as the service gives
// them), and true without a prompt when password.cpl or its function is
// missing.
bool VerifyScreenSavePwd(WindowHandle owner);

// The system's password-change dialog for `provider` with the parent window
// `parent`; returns once it has closed. False when mpr.dll or its function is
// missing, so that no dialog could be shown.
bool PwdChangePasswordA(const std::string& provider, WindowHandle parent);

}  // namespace tarvex::platform::win32
