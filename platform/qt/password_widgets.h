#pragma once
// The pieces both password dialogs are made of.

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QWidget;

namespace tarvex::qt {

// A masked field named `name`, no longer than a password may be.
QLineEdit* PasswordField(QWidget* parent, const char* name);

// The OK and キャンセル buttons of `dialog`; キャンセル rejects it, and what
// OK does is the caller's.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

}  // namespace tarvex::qt
