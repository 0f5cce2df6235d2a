#include "platform/qt/password_prompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace tarvex::qt {
namespace {

constexpr int kFirstDelayMs = 1000;
constexpr int kLongestDelayMs = 8000;

// Keeps the timers and painting going while a wrong guess is held back.
void WaitServingEvents(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

struct PromptWidgets {
  QDialog* dialog;
  QLabel* message;
  QLineEdit* field;
  QPushButton* ok;
};

PromptWidgets BuildPrompt(QWidget* owner) {
  auto* dialog = new QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint);
  dialog->setWindowTitle(QStringLiteral("スクリーン セーバー"));
  dialog->setObjectName(QStringLiteral("passwordPrompt"));
  auto* layout = new QVBoxLayout(dialog);
  auto* message = new QLabel(QStringLiteral("パスワードを入力してください。"), dialog);
  auto* field = new QLineEdit(dialog);
  field->setObjectName(QStringLiteral("password"));
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(kMaxPasswordLength);
  auto* buttons = new QDialogButtonBox(dialog);
  auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(message);
  layout->addWidget(field);
  layout->addWidget(buttons);
  return {dialog, message, field, ok};
}

}  // namespace

bool PromptForPassword(QWidget* owner, const std::function<bool(const std::string&)>& verify) {
  static int wrongInARow = 0;
  PromptWidgets prompt = BuildPrompt(owner);
  bool accepted = false;
  if (prompt.dialog->exec() == QDialog::Accepted) {
    accepted = verify(prompt.field->text().toUtf8().toStdString());
    prompt.field->clear();
    if (!accepted) {
      prompt.message->setText(QStringLiteral("パスワードが違います。"));
      prompt.field->setEnabled(false);
      prompt.ok->setEnabled(false);
      prompt.dialog->show();
      WaitServingEvents(std::min(kFirstDelayMs << std::min(wrongInARow, 3), kLongestDelayMs));
      ++wrongInARow;
    }
  }
  if (accepted) wrongInARow = 0;
  delete prompt.dialog;
  return accepted;
}

}  // namespace tarvex::qt
