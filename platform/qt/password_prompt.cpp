#include "platform/qt/password_prompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "platform/qt/password_widgets.h"

namespace tarvex::qt {
namespace {

constexpr int kFirstDelayMs = 1000;
constexpr int kLongestDelayMs = 8000;

// A keyboard grab needs a window on screen: try again until it holds.
void GrabKeyboardOnceShown(QDialog* dialog, int triesLeft = 100) {
  QTimer::singleShot(20, dialog, [dialog, triesLeft] {
    QWindow* window = dialog->windowHandle();
    const bool held = window != nullptr && dialog->isVisible() && window->isExposed() &&
                      window->setKeyboardGrabEnabled(true);
    if (held) {
      dialog->activateWindow();
    } else if (triesLeft > 0) {
      GrabKeyboardOnceShown(dialog, triesLeft - 1);
    }
  });
}

struct PromptWidgets {
  QDialog* dialog;
  QLabel* message;
  QLineEdit* field;
  QDialogButtonBox* buttons;
};

PromptWidgets BuildPrompt(QWidget* owner) {
  auto* dialog = new QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint);
  dialog->setWindowTitle(QStringLiteral("スクリーン セーバー"));
  dialog->setObjectName(QStringLiteral("passwordPrompt"));
  auto* layout = new QVBoxLayout(dialog);
  auto* message = new QLabel(QStringLiteral("パスワードを入力してください。"), dialog);
  QLineEdit* field = PasswordField(dialog, "password");
  QDialogButtonBox* buttons = OkCancelButtons(dialog);
  layout->addWidget(message);
  layout->addWidget(field);
  layout->addWidget(buttons);
  return {dialog, message, field, buttons};
}

}  // namespace

bool PromptForPassword(QWidget* owner, const std::function<bool(const std::string&)>& verify) {
  static int wrongInARow = 0;
  PromptWidgets prompt = BuildPrompt(owner);
  // A wrong password keeps the prompt up, disabled, for the pause; the crawl
  // goes on behind it, as the dialog's loop serves the saver's timer.
  QObject::connect(prompt.buttons, &QDialogButtonBox::accepted, prompt.dialog, [&] {
    const bool right = verify(prompt.field->text().toUtf8().toStdString());
    prompt.field->clear();
    if (right) {
      wrongInARow = 0;
      prompt.dialog->accept();
      return;
    }
    prompt.message->setText(QStringLiteral("パスワードが違います。"));
    prompt.field->setEnabled(false);
    prompt.buttons->setEnabled(false);
    const int pause = std::min(kFirstDelayMs << std::min(wrongInARow, 3), kLongestDelayMs);
    ++wrongInARow;
    QTimer::singleShot(pause, prompt.dialog, &QDialog::reject);
  });
  // Typed characters go to the prompt and nowhere else while it is up.
  prompt.field->setFocus();
  GrabKeyboardOnceShown(prompt.dialog);
  const bool accepted = prompt.dialog->exec() == QDialog::Accepted;
  delete prompt.dialog;
  return accepted;
}

}  // namespace tarvex::qt
