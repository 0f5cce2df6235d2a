#include "platform/qt/password_widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>

#include "platform/qt/password_prompt.h"

namespace tarvex::qt {

QLineEdit* PasswordField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QLatin1String(name));
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(kMaxPasswordLength);
  return field;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace tarvex::qt
