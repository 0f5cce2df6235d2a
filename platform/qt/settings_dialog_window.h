#pragma once
// The settings dialog's Qt window: the controls of the dialog's design table
// at their places, the focus order, and the dialog's own key rules.

#include <QDialog>
#include <QLabel>
#include <functional>
#include <map>

#include "dialog/layout.h"

class QKeyEvent;
class QMouseEvent;

namespace tarvex::qt {

// The colour swatch: a borderless label without text that takes no focus
// and reports mouse clicks.
class ColorSwatch : public QLabel {
 public:
  explicit ColorSwatch(QWidget* parent);

  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class SettingsDialogWindow : public QDialog {
 public:
  // Builds every control of the design, sized for `dpi` logical dots per inch.
  explicit SettingsDialogWindow(double dpi);

  // The control of the design with this name; each has it as objectName too.
  QWidget* Control(dialog::ControlId id) const { return controls_.at(id); }

  // Places the window at the centre of its screen.
  void Centre();

  // Button and swatch clicks.
  std::function<void(dialog::ControlId)> onClick;

 protected:
  // Enter acts only on a focused button and Escape does nothing: the dialog
  // has neither a default nor a cancel button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* CreateControl(const dialog::ControlDesign& design, QWidget* parent);
  void SetFocusOrder();

  std::map<dialog::ControlId, QWidget*> controls_;
};

}  // namespace tarvex::qt
