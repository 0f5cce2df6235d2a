#include "platform/qt/qt_dialog_window_host.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>

#include "dialog/control_routing.h"
#include "dialog/layout.h"
#include "platform/qt/qt_dialog_choosers.h"
#include "platform/qt/saver_system_colors.h"
#include "platform/qt/settings_dialog_window.h"

namespace tarvex::qt {

namespace {

using dialog::ControlId;
using dialog::IdOf;
using platform::DialogList;
using platform::DialogTextBox;

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

class QtDialogWindowHost final : public platform::DialogWindowHost {
 public:
  QtDialogWindowHost() : window_(ScreenDpi()) {
    window_.onClick = [this](ControlId id) { Forward(id); };
    SetSwatchColor(dialog::kSwatchInitialColor);
  }

  void AddItem(DialogList list, const std::string& text) override {
    List(list)->addItem(QString::fromStdString(text));
  }
  int ListCount(DialogList list) override { return List(list)->count(); }
  void SetListIndex(DialogList list, int index) override { List(list)->setCurrentIndex(index); }
  std::string ListText(DialogList list) override { return List(list)->currentText().toStdString(); }

  void SetText(DialogTextBox box, const std::string& text) override {
    Box(box)->setText(QString::fromStdString(text));
  }
  std::string Text(DialogTextBox box) override { return Box(box)->text().toStdString(); }

  void SetSwatchColor(std::int32_t colour) override {
    swatch_color_ = colour;
    QWidget* swatch = window_.Control(ControlId::lblCol);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ColorFromOle(static_cast<platform::OleColor>(colour)));
    swatch->setPalette(palette);
  }
  std::int32_t SwatchColor() override { return swatch_color_; }

  std::optional<std::string> ShowOpenChooser(const std::vector<platform::FileTypeFilter>& filters,
                                             int filter_index,
                                             const std::string& file_name) override {
    return RunOpenChooser(&window_, filters, filter_index, file_name);
  }
  std::optional<std::int32_t> ShowColorChooser(std::int32_t initial) override {
    return RunColorChooser(&window_, initial);
  }

  void ShowModal(platform::DialogEvents& events) override {
    events_ = &events;
    window_.Centre();
    window_.Control(dialog::kFocusOrder.front())->setFocus();
    window_.exec();
    events_ = nullptr;
  }
  void Close() override { window_.done(QDialog::Accepted); }

 private:
  QComboBox* List(DialogList list) const {
    return static_cast<QComboBox*>(window_.Control(IdOf(list)));
  }
  QLineEdit* Box(DialogTextBox box) const {
    return static_cast<QLineEdit*>(window_.Control(IdOf(box)));
  }

  void Forward(ControlId id) {
    if (events_ != nullptr) dialog::RaiseClick(*events_, id);
  }

  SettingsDialogWindow window_;
  platform::DialogEvents* events_ = nullptr;
  std::int32_t swatch_color_ = dialog::kSwatchInitialColor;
};

}  // namespace

std::unique_ptr<platform::DialogWindowHost> CreateQtDialogWindowHost(QtDesktop& /*desktop*/) {
  return std::make_unique<QtDialogWindowHost>();
}

}  // namespace tarvex::qt
