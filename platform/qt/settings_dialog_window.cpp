#include "platform/qt/settings_dialog_window.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <string>

#include "platform/qt/saver_font_faces.h"
#include "runtime/twips.h"

namespace tarvex::qt {

namespace {

using dialog::ControlId;
using dialog::ControlKind;

QString FromText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The design's face through the substitution table of the Japanese
// desktop's faces.
QFont DialogFont() {
  const std::string face(dialog::kFontFace);
  const QString family = FamilyForFace(face).value_or(FromText(face));
  return QFont(family, dialog::kFontPoints, QFont::Normal);
}

constexpr Qt::WindowFlags kFixedDialogFrame = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                              Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QPushButton* CreateButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QComboBox* CreateList(QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  list->setInsertPolicy(QComboBox::InsertAtBottom);
  return list;
}

QLabel* CreateLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

ColorSwatch::ColorSwatch(QWidget* parent) : QLabel(parent) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      onClick) {
    onClick();
  }
  QLabel::mouseReleaseEvent(event);
}

SettingsDialogWindow::SettingsDialogWindow(double dpi) : QDialog(nullptr, kFixedDialogFrame) {
  setObjectName(QStringLiteral("FormIni"));
  setWindowTitle(FromText(dialog::kTitle));
  setFont(DialogFont());
  setFixedSize(runtime::TwipsToPixels(dialog::kClientWidth, dpi),
               runtime::TwipsToPixels(dialog::kClientHeight, dpi));
  for (const auto& design : dialog::kControls) {
    QWidget* parent = design.container == dialog::Container::kFrame2
                          ? controls_.at(ControlId::Frame2)
                          : static_cast<QWidget*>(this);
    QWidget* control = CreateControl(design, parent);
    control->setGeometry(
        runtime::TwipsToPixels(design.left, dpi), runtime::TwipsToPixels(design.top, dpi),
        runtime::TwipsToPixels(design.width, dpi), runtime::TwipsToPixels(design.height, dpi));
    controls_[design.id] = control;
  }
  SetFocusOrder();
}

QWidget* SettingsDialogWindow::CreateControl(const dialog::ControlDesign& design, QWidget* parent) {
  const QString text = FromText(design.text);
  QWidget* control = nullptr;
  switch (design.kind) {
    case ControlKind::kGroupFrame:
      control = new QGroupBox(text, parent);
      break;
    case ControlKind::kLabel:
      control = CreateLabel(text, parent);
      break;
    case ControlKind::kList:
      control = CreateList(parent);
      break;
    case ControlKind::kTextBox:
      control = new QLineEdit(parent);
      break;
    case ControlKind::kButton: {
      auto* button = CreateButton(text, parent);
      QObject::connect(button, &QPushButton::clicked, this, [this, id = design.id] {
        if (onClick) onClick(id);
      });
      control = button;
      break;
    }
    case ControlKind::kSwatch: {
      auto* swatch = new ColorSwatch(parent);
      swatch->onClick = [this, id = design.id] {
        if (onClick) onClick(id);
      };
      control = swatch;
      break;
    }
  }
  control->setObjectName(FromText(design.name));
  return control;
}

void SettingsDialogWindow::SetFocusOrder() {
  const auto& order = dialog::kFocusOrder;
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(Control(order[i - 1]), Control(order[i]));
  }
}

void SettingsDialogWindow::Centre() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->geometry().center());
  move(frame.topLeft());
}

void SettingsDialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace tarvex::qt
