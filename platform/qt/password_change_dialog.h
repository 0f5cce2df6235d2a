#pragma once
// The password-change dialog of the "/a" mode: the old password when one is
// set, the new one twice, and the switch that turns the password check on.

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace tarvex::qt {

// What the dialog needs of the password services.
struct PasswordAccount {
  bool hasPassword = false;
  bool usePassword = false;
  std::function<bool(const std::string&)> verify;
  // Stores the new password (when one was typed) and the switch; false when
  // they could not be saved.
  std::function<bool(const std::string& oldPassword, const std::optional<std::string>& newPassword,
                     bool usePassword)>
      save;
  std::string location;  // where they are kept, for the failure message
};

// Shows the dialog modally; returns when it has closed. True when the user
// confirmed and the change was saved.
bool ShowPasswordChangeDialog(QWidget* parent, const PasswordAccount& account);

}  // namespace tarvex::qt
