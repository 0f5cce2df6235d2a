#pragma once
// The saver's widgets: the borderless top-level window and the display
// surface's view inside it. They turn Qt's events into the form's event
// procedures:
// - pointer moves over the margin: Form_MouseMove, in window pixels;
// - pointer moves over the display: picTARVEX_MouseMove(1), in its pixels;
// - a click (press and release) on the display: picTARVEX_Click(1);
// - keys: picTARVEX_KeyDown(1) while the display has the focus, which it
//   takes when the window is shown; Form_KeyDown only when it has not. There
//   is no key preview: the window does not see keys before the display, so a
//   key press arms like any first input and the next one ends the saver;
// - activation: Form_Activate whenever the window becomes active anew, and
//   when the shown window takes a new size (its screen changed);
// - a close request: Form_Unload, which may keep the window.
// Pointer positions are whole pixels, so a pointer that has not moved always
// reports the position it armed with. Move events that do not move the
// pointer (Qt sends some when a window appears or a widget changes under a
// still pointer) are not input and reach no procedure.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/saver_window_host.h"

namespace tarvex::qt {

// Tells real pointer moves from events that report a pointer standing still.
class PointerMotion {
 public:
  // The pointer's place when the window is shown.
  void Reset(QPointF global) { last_ = global; }
  // True when `global` differs from the last place seen; remembers it.
  bool Moved(QPointF global);

 private:
  QPointF last_{-1e9, -1e9};
};

// Calls one event procedure of the form.
using SaverDispatch = std::function<void(const std::function<void(platform::SaverWindowEvents&)>&)>;

class SaverDisplayView final : public QWidget {
 public:
  SaverDisplayView(QWidget* parent, const QImage& image, SaverDispatch dispatch,
                   PointerMotion& motion);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const QImage& image_;
  SaverDispatch dispatch_;
  PointerMotion& motion_;
  bool pressed_ = false;
};

class QtSaverWindow final : public QWidget {
 public:
  // `mayClose` asks the form (Form_Unload) whether a close may go ahead;
  // `closed` runs once the window has closed.
  QtSaverWindow(const QRect& screen, SaverDispatch dispatch, PointerMotion& motion,
                std::function<bool()> mayClose, std::function<void()> closed);

  // Form_Activate for the first showing, unless an activation came already:
  // a desktop without a window manager may never activate the window.
  void ActivateOnce();

 protected:
  bool event(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  SaverDispatch dispatch_;
  PointerMotion& motion_;
  std::function<bool()> mayClose_;
  std::function<void()> closed_;
  bool active_ = false;
};

// Gives a window of the saver its black background, drawn by the system.
void PaintBlack(QWidget& window);

// The form's button and shift arguments from Qt's: button 1 left, 2 right,
// 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ButtonMask(Qt::MouseButtons buttons);
std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers);

// What a pointer move tells the form: where, in the receiver's whole pixels,
// and the buttons and modifier keys held.
struct Move {
  float x;
  float y;
  std::int16_t button;
  std::int16_t shift;
};
Move ReadMove(const QMouseEvent* event);

}  // namespace tarvex::qt
