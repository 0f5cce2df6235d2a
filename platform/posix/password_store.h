#pragma once
// The desktop's screen-saver password on Linux: a yescrypt hash kept as the
// text value "ScreenSave_Data", and the switch "ScreenSaveUsePassword" as a
// dword, both under the desktop key of the registry file. No password set
// (no file, no value, an empty hash) means the empty password.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/registry_file.h"

namespace tarvex::platform::posix {

class PasswordStore {
 public:
  // Longer passwords are never accepted nor stored.
  static constexpr std::size_t kMaxPasswordBytes = 256;

  enum class ChangeResult {
    kOk,
    kWrongOldPassword,
    kInvalidNewPassword,  // longer than kMaxPasswordBytes, or holds a NUL
    kWriteFailed,
  };

  explicit PasswordStore(std::string registry_path = RegistryFilePath());

  // True when a password is set, or when the file cannot be read and so
  // whether one is set is unknown.
  bool HasPassword() const;

  // True when `password` is the stored one (the empty password when none is
  // set). An unreadable file or a stored hash of an unknown or legacy
  // method accepts nothing.
  bool Verify(std::string_view password) const;

  // Replaces the password after checking the old one; an empty new password
  // removes it. The file keeps its other values and is written with mode 0600.
  ChangeResult ChangePassword(std::string_view old_password, std::string_view new_password);

  // The switch as the saver reads it at start: the value's data fits four
  // bytes and its first two bytes are not both zero.
  bool UsePassword() const;
  bool SetUsePassword(bool use);

 private:
  // The stored hash ("" when none); nothing when the file cannot be read.
  std::optional<std::string> StoredHash() const;
  bool Store(std::string_view name, const RegistryValue& value) const;

  std::string path_;
};

}  // namespace tarvex::platform::posix
