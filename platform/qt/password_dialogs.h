#pragma once
// The password services of the Linux desktop, as the core asks for them:
// the saver's prompt and the "/a" change dialog, over the password store.

class QWidget;

namespace tarvex::qt {

// VerifyScreenSavePwd: true when the password was accepted. With no password
// stored there is nothing to check against, and the close is allowed.
bool AskScreenSaverPassword(QWidget* owner);

// PwdChangePasswordA: returns when the dialog has closed.
void RunPasswordChangeDialog();

}  // namespace tarvex::qt
