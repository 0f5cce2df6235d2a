#pragma once
// Black, borderless, top-most covers over every screen but the primary while
// the saver window shows, kept in step with the screens as they come, go and
// change. The saver window follows the primary screen. A pointer move over a
// cover reaches the form as Form_MouseMove in the saver window's client
// pixels (outside its area); clicks on a cover have no handler, as on the
// saver window's margin. Covers never take the keyboard: keys stay with the
// saver window's controls.

#include <QRect>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/qt/qt_saver_window.h"

class QScreen;

namespace tarvex::qt {

class CoverWindow final : public QWidget {
 public:
  CoverWindow(const QRect& area, const QWidget& saver, SaverDispatch dispatch,
              PointerMotion& motion);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const QWidget& saver_;
  SaverDispatch dispatch_;
  PointerMotion& motion_;
};

class MonitorCovers final : public QObject {
 public:
  MonitorCovers(QWidget& saver, SaverDispatch dispatch, PointerMotion& motion);
  ~MonitorCovers() override;
  MonitorCovers(const MonitorCovers&) = delete;
  MonitorCovers& operator=(const MonitorCovers&) = delete;

  // Puts the saver window on the primary screen and shows the covers.
  void Show();
  void Hide();

 private:
  void Watch(QScreen* screen);
  // `gone` is a screen on its way out, still listed.
  void Sync(const QScreen* gone = nullptr);

  QWidget& saver_;
  SaverDispatch dispatch_;
  PointerMotion& motion_;
  std::vector<std::unique_ptr<CoverWindow>> covers_;
  bool shown_ = false;
};

}  // namespace tarvex::qt
