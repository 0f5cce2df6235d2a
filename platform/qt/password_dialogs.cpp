#include "platform/qt/password_dialogs.h"

#include "platform/posix/password_store.h"
#include "platform/posix/registry_file.h"
#include "platform/qt/password_change_dialog.h"
#include "platform/qt/password_prompt.h"

namespace tarvex::qt {

using platform::posix::PasswordStore;

bool AskScreenSaverPassword(QWidget* owner) {
  PasswordStore store;
  if (!store.HasPassword()) return true;
  return PromptForPassword(owner, [&](const std::string& typed) { return store.Verify(typed); });
}

void RunPasswordChangeDialog() {
  PasswordStore store;
  PasswordAccount account;
  account.hasPassword = store.HasPassword();
  account.usePassword = store.UsePassword();
  account.location = platform::posix::RegistryFilePath();
  account.verify = [&](const std::string& typed) { return store.Verify(typed); };
  account.save = [&](const std::string& oldPassword, const std::optional<std::string>& password,
                     bool use) {
    if (password &&
        store.ChangePassword(oldPassword, *password) != PasswordStore::ChangeResult::kOk) {
      return false;
    }
    return store.SetUsePassword(use);
  };
  ShowPasswordChangeDialog(nullptr, account);
}

}  // namespace tarvex::qt
