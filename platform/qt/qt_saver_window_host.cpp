#include "platform/qt/qt_saver_window_host.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "platform/design_surfaces.h"
#include "platform/qt/picture_copy.h"
#include "platform/qt/qt_desktop.h"
#include "runtime/runtime_error.h"

namespace tarvex::qt {

std::unique_ptr<platform::SaverWindowHost> CreateQtSaverWindowHost(QtDesktop& desktop) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) throw runtime::RuntimeError(runtime::kInvalidProcedureCall, "screen");
  return std::make_unique<QtSaverWindowHost>(screen->geometry(), screen->logicalDotsPerInchY(),
                                             &desktop);
}

QtSaverWindowHost::QtSaverWindowHost(const QRect& screen, double dpi, QtDesktop* desktop)
    : desktop_(desktop),
      gate_([this](bool failed) { Ended(failed); }),
      pictures_(platform::DesignSurfaces<QtPictureSurface>(dpi)),
      timer_([this] {
        gate_.Dispatch([](platform::SaverWindowEvents& form) { form.tmrStr_Timer(); });
      }) {
  const SaverDispatch dispatch = [this](const auto& call) { gate_.Dispatch(call); };
  window_ = std::make_unique<QtSaverWindow>(
      screen, dispatch, motion_, [this] { return gate_.MayClose(); }, [this] { gate_.Closed(); });
  covers_ = std::make_unique<MonitorCovers>(*window_, dispatch, motion_);
  auto* view = new SaverDisplayView(window_.get(), pictures_[1]->Image(), dispatch, motion_);
  pictures_[1]->SetView(view);
  if (desktop_ != nullptr) desktop_->SetSaverWindow(window_.get());
}

QtSaverWindowHost::~QtSaverWindowHost() {
  timer_.SetEnabled(false);
  if (desktop_ != nullptr) desktop_->SetSaverWindow(nullptr);
}

platform::PictureSurface& QtSaverWindowHost::Picture(int index) {
  return *pictures_.at(static_cast<std::size_t>(index));
}

float QtSaverWindowHost::ScaleWidth() const {
  return static_cast<float>(window_->width());
}

float QtSaverWindowHost::ScaleHeight() const {
  return static_cast<float>(window_->height());
}

platform::WindowHandle QtSaverWindowHost::Handle() const {
  return static_cast<platform::WindowHandle>(window_->winId());
}

bool QtSaverWindowHost::StretchBlt(platform::PictureSurface& dest, int x, int y, int width,
                                   int height, platform::PictureSurface& source, int sourceX,
                                   int sourceY, int sourceWidth, int sourceHeight,
                                   std::uint32_t /*rop*/) {
  return CopyPicture(pictures_, dest, {x, y, width, height}, source,
                     {sourceX, sourceY, sourceWidth, sourceHeight});
}

// A run-time error ends the show as a close does; ShowModal raises it again.
void QtSaverWindowHost::Ended(bool failed) {
  timer_.SetEnabled(false);
  if (failed) HideWindows();
  if (modalLoop_) modalLoop_->quit();
}

void QtSaverWindowHost::ShowModal() {
  if (gate_.IsClosed()) return;
  QEventLoop loop;
  modalLoop_ = &loop;
  motion_.Reset(QCursor::pos());
  covers_->Show();
  window_->showFullScreen();
  window_->raise();
  window_->activateWindow();
  if (auto* view = window_->findChild<SaverDisplayView*>()) view->setFocus();
  QTimer::singleShot(0, window_.get(), [this] { window_->ActivateOnce(); });
  if (!gate_.IsClosed()) loop.exec();
  modalLoop_ = nullptr;
  HideWindows();
  gate_.RethrowIfFailed();
}

void QtSaverWindowHost::HideWindows() {
  window_->hide();
  covers_->Hide();
}

void QtSaverWindowHost::RequestUnload() {
  if (!gate_.IsClosed()) window_->close();
}

QImage QtSaverWindowHost::GrabScreen() const {
  QImage screen(window_->size(), QImage::Format_RGB32);
  screen.fill(Qt::black);
  const QtPictureSurface& display = *pictures_[1];
  QPainter painter(&screen);
  painter.drawImage(QPointF(display.Left(), display.Top()), display.Image());
  return screen;
}

}  // namespace tarvex::qt
