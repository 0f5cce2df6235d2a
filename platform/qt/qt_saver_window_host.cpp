#include "platform/qt/qt_saver_window_host.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "platform/qt/qt_desktop.h"
#include "runtime/runtime_error.h"
#include "runtime/twips.h"

namespace tarvex::qt {
namespace {

std::unique_ptr<QtPictureSurface> DesignSurface(const platform::TwipsRect& design, double dpi) {
  return std::make_unique<QtPictureSurface>(
      static_cast<float>(runtime::TwipsToPixels(design.left, dpi)),
      static_cast<float>(runtime::TwipsToPixels(design.top, dpi)),
      runtime::TwipsToPixels(design.width, dpi), runtime::TwipsToPixels(design.height, dpi), dpi);
}

}  // namespace

std::unique_ptr<platform::SaverWindowHost> CreateQtSaverWindowHost(QtDesktop& desktop) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) throw runtime::RuntimeError(runtime::kInvalidProcedureCall, "screen");
  return std::make_unique<QtSaverWindowHost>(screen->geometry(), screen->logicalDotsPerInchY(),
                                             &desktop);
}

QtSaverWindowHost::QtSaverWindowHost(const QRect& screen, double dpi, QtDesktop* desktop)
    : desktop_(desktop),
      timer_([this] { Dispatch([](platform::SaverWindowEvents& form) { form.tmrStr_Timer(); }); }) {
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    pictures_[i] = DesignSurface(platform::kPictureDesign[i], dpi);
    pictures_[i]->SetQueue(&blits_);
  }
  const SaverDispatch dispatch = [this](const auto& call) { Dispatch(call); };
  window_ = std::make_unique<QtSaverWindow>(
      screen, dispatch, motion_, [this] { return MayClose(); }, [this] { Closed(); });
  auto* view = new SaverDisplayView(window_.get(), pictures_[1]->Image(), dispatch, motion_);
  pictures_[1]->SetView(view);
  if (desktop_ != nullptr) desktop_->SetSaverWindow(window_.get());
}

QtSaverWindowHost::~QtSaverWindowHost() {
  timer_.SetEnabled(false);
  // Helpers may be drawing the finished slabs of a tick cut short: let them
  // end before the pictures go.
  blits_.Run();
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
  QtPictureSurface& to = Own(dest);
  QtPictureSurface& from = Own(source);
  const BlitRect destRect{x, y, width, height};
  const BlitRect sourceRect{sourceX, sourceY, sourceWidth, sourceHeight};
  // Copies wait in the queue until the picture is next shown or touched. A
  // copy must read what the queued ones write into its source, and must not
  // write what they have still to read.
  if (&to == &from || blits_.Writes(&from) || blits_.Reads(&to)) blits_.Run();
  if (&to == &from) {
    // A copy within one image reads from a snapshot, not from pixels it has
    // just written.
    const QImage snapshot = from.Image().copy();
    const ConstPixelView pixels{reinterpret_cast<const std::uint32_t*>(snapshot.constBits()),
                                snapshot.width(), snapshot.height(), snapshot.bytesPerLine() / 4};
    return qt::StretchBlt(to.WritablePixels(), destRect, pixels, sourceRect, {&to.Rows(), nullptr});
  }
  return blits_.Add({to.WritablePixels(), destRect, from.Pixels(), sourceRect,
                     BlitHints{&to.Rows(), &from.Spans()}},
                    &to, &from);
}

// One of this window's pictures: the crawl's hundreds of copies a tick look
// them up among three rather than cast.
QtPictureSurface& QtSaverWindowHost::Own(platform::PictureSurface& surface) {
  for (const std::unique_ptr<QtPictureSurface>& picture : pictures_) {
    if (picture.get() == &surface) return *picture;
  }
  throw runtime::RuntimeError(runtime::kInvalidProcedureCall, "StretchBlt");
}

void QtSaverWindowHost::Dispatch(const std::function<void(platform::SaverWindowEvents&)>& call) {
  if (form_ == nullptr || error_) return;
  try {
    call(*form_);
  } catch (...) {
    // A run-time error ends the modal show; ShowModal raises it again.
    error_ = std::current_exception();
    timer_.SetEnabled(false);
    closed_ = true;
    window_->hide();
    if (modalLoop_) modalLoop_->quit();
  }
}

bool QtSaverWindowHost::MayClose() {
  if (unloading_ || closed_) return closed_;
  unloading_ = true;
  std::int16_t cancel = 0;
  Dispatch([&](platform::SaverWindowEvents& form) { form.Form_Unload(cancel); });
  unloading_ = false;
  return cancel == 0 || error_;
}

void QtSaverWindowHost::Closed() {
  closed_ = true;
  timer_.SetEnabled(false);
  if (modalLoop_) modalLoop_->quit();
}

void QtSaverWindowHost::ShowModal() {
  if (closed_) return;
  QEventLoop loop;
  modalLoop_ = &loop;
  motion_.Reset(QCursor::pos());
  window_->showFullScreen();
  window_->raise();
  window_->activateWindow();
  if (auto* view = window_->findChild<SaverDisplayView*>()) view->setFocus();
  QTimer::singleShot(0, window_.get(), [this] { window_->ActivateOnce(); });
  if (!closed_) loop.exec();
  modalLoop_ = nullptr;
  window_->hide();
  if (error_) std::rethrow_exception(error_);
}

void QtSaverWindowHost::RequestUnload() {
  if (!closed_) window_->close();
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
