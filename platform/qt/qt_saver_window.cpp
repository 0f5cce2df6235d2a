#include "platform/qt/qt_saver_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

namespace tarvex::qt {
namespace {

float WholePixel(double value) {
  return static_cast<float>(std::floor(value));
}

std::int16_t KeyCode(const QKeyEvent* event) {
  const int key = event->key();
  return static_cast<std::int16_t>(key >= 0 && key <= 0x7FFF ? key : 0);
}

}  // namespace

Move ReadMove(const QMouseEvent* event) {
  return {WholePixel(event->position().x()), WholePixel(event->position().y()),
          ButtonMask(event->buttons()), ShiftMask(event->modifiers())};
}

bool PointerMotion::Moved(QPointF global) {
  if (global == last_) return false;
  last_ = global;
  return true;
}

void PaintBlack(QWidget& window) {
  QPalette black = window.palette();
  black.setColor(QPalette::Window, Qt::black);
  window.setPalette(black);
  window.setAutoFillBackground(true);
}

std::int16_t ButtonMask(Qt::MouseButtons buttons) {
  std::int16_t mask = 0;
  if (buttons & Qt::LeftButton) mask |= 1;
  if (buttons & Qt::RightButton) mask |= 2;
  if (buttons & Qt::MiddleButton) mask |= 4;
  return mask;
}

std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers) {
  std::int16_t mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= 1;
  if (modifiers & Qt::ControlModifier) mask |= 2;
  if (modifiers & Qt::AltModifier) mask |= 4;
  return mask;
}

SaverDisplayView::SaverDisplayView(QWidget* parent, const QImage& image, SaverDispatch dispatch,
                                   PointerMotion& motion)
    : QWidget(parent), image_(image), dispatch_(std::move(dispatch)), motion_(motion) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void SaverDisplayView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& rows : event->region()) painter.drawImage(rows, image_, rows);
}

void SaverDisplayView::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!motion_.Moved(event->globalPosition())) return;
  const Move m = ReadMove(event);
  dispatch_([&](platform::SaverWindowEvents& form) {
    form.picTARVEX_MouseMove(1, m.button, m.shift, m.x, m.y);
  });
}

void SaverDisplayView::mousePressEvent(QMouseEvent* event) {
  event->accept();
  pressed_ = true;
}

void SaverDisplayView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) dispatch_([](platform::SaverWindowEvents& form) { form.picTARVEX_Click(1); });
}

void SaverDisplayView::keyPressEvent(QKeyEvent* event) {
  event->accept();
  const std::int16_t key = KeyCode(event);
  const std::int16_t shift = ShiftMask(event->modifiers());
  dispatch_([&](platform::SaverWindowEvents& form) { form.picTARVEX_KeyDown(1, key, shift); });
}

QtSaverWindow::QtSaverWindow(const QRect& screen, SaverDispatch dispatch, PointerMotion& motion,
                             std::function<bool()> mayClose, std::function<void()> closed)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      dispatch_(std::move(dispatch)),
      motion_(motion),
      mayClose_(std::move(mayClose)),
      closed_(std::move(closed)) {
  setWindowTitle(QStringLiteral("Form1"));
  setGeometry(screen);
  PaintBlack(*this);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void QtSaverWindow::ActivateOnce() {
  if (active_) return;
  active_ = true;
  dispatch_([](platform::SaverWindowEvents& form) { form.Form_Activate(); });
}

bool QtSaverWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    ActivateOnce();
  } else if (event->type() == QEvent::WindowDeactivate) {
    active_ = false;
  }
  return QWidget::event(event);
}

void QtSaverWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!motion_.Moved(event->globalPosition())) return;
  const Move m = ReadMove(event);
  dispatch_(
      [&](platform::SaverWindowEvents& form) { form.Form_MouseMove(m.button, m.shift, m.x, m.y); });
}

void QtSaverWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  const std::int16_t key = KeyCode(event);
  const std::int16_t shift = ShiftMask(event->modifiers());
  dispatch_([&](platform::SaverWindowEvents& form) { form.Form_KeyDown(key, shift); });
}

void QtSaverWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible() && event->oldSize().isValid() && event->oldSize() != event->size()) {
    dispatch_([](platform::SaverWindowEvents& form) { form.Form_Activate(); });
  }
}

void QtSaverWindow::closeEvent(QCloseEvent* event) {
  if (!mayClose_()) {
    event->ignore();
    return;
  }
  event->accept();
  closed_();
}

}  // namespace tarvex::qt
