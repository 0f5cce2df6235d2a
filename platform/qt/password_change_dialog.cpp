#include "platform/qt/password_change_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/qt/password_widgets.h"

namespace tarvex::qt {
namespace {

class PasswordChangeDialog : public QDialog {
 public:
  PasswordChangeDialog(QWidget* parent, const PasswordAccount& account)
      : QDialog(parent), account_(account) {
    setWindowTitle(QStringLiteral("パスワードの変更"));
    auto* form = new QFormLayout(this);
    if (account.hasPassword) {
      old_ = PasswordField(this, "oldPassword");
      form->addRow(QStringLiteral("古いパスワード:"), old_);
    }
    new_ = PasswordField(this, "newPassword");
    confirm_ = PasswordField(this, "confirmPassword");
    form->addRow(QStringLiteral("新しいパスワード:"), new_);
    form->addRow(QStringLiteral("新しいパスワードの確認入力:"), confirm_);
    use_ = new QCheckBox(QStringLiteral("パスワードで保護する"), this);
    use_->setObjectName(QStringLiteral("usePassword"));
    use_->setChecked(account.usePassword);
    form->addRow(use_);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PasswordChangeDialog::TrySave);
    form->addRow(buttons);
  }

 private:
  void Warn(const QString& text) { QMessageBox::warning(this, windowTitle(), text); }

  // Keeps the dialog open, with what the user typed, until the input holds.
  void TrySave() {
    const std::string oldPassword = old_ != nullptr ? old_->text().toUtf8().toStdString() : "";
    if (old_ != nullptr && !account_.verify(oldPassword)) {
      Warn(QStringLiteral("古いパスワードが違います。"));
      return;
    }
    if (new_->text() != confirm_->text()) {
      Warn(QStringLiteral("新しいパスワードと確認入力が一致しません。"));
      return;
    }
    const bool changing = !new_->text().isEmpty();
    if (use_->isChecked() && !changing && !account_.hasPassword) {
      Warn(QStringLiteral("パスワードで保護するには、新しいパスワードを入力してください。"));
      return;
    }
    std::optional<std::string> password;
    if (changing) password = new_->text().toUtf8().toStdString();
    if (!account_.save(oldPassword, password, use_->isChecked())) {
      Warn(QStringLiteral("パスワードを保存できませんでした。\n") +
           QString::fromStdString(account_.location));
      return;
    }
    accept();
  }

  const PasswordAccount& account_;
  QLineEdit* old_ = nullptr;
  QLineEdit* new_ = nullptr;
  QLineEdit* confirm_ = nullptr;
  QCheckBox* use_ = nullptr;
};

}  // namespace

bool ShowPasswordChangeDialog(QWidget* parent, const PasswordAccount& account) {
  PasswordChangeDialog dialog(parent, account);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tarvex::qt
