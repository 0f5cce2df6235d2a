#include "platform/qt/hosted_window_host.h"

#include <QTimer>
#include <cmath>

#include "platform/design_surfaces.h"

namespace tarvex::qt {

HostedWindowHost::HostedWindowHost(XWindow& window, EndSignals& endSignals, double dpi)
    : window_(window),
      signals_(endSignals),
      gate_([this](bool /*failed*/) { Ended(); }),
      pictures_(platform::DesignSurfaces<QtPictureSurface>(dpi)),
      timer_([this] { Tick(); }) {}

HostedWindowHost::~HostedWindowHost() {
  timer_.SetEnabled(false);
}

platform::PictureSurface& HostedWindowHost::Picture(int index) {
  return *pictures_.at(static_cast<std::size_t>(index));
}

float HostedWindowHost::ScaleWidth() const {
  return static_cast<float>(window_.Size().width());
}

float HostedWindowHost::ScaleHeight() const {
  return static_cast<float>(window_.Size().height());
}

bool HostedWindowHost::StretchBlt(platform::PictureSurface& dest, int x, int y, int width,
                                  int height, platform::PictureSurface& source, int sourceX,
                                  int sourceY, int sourceWidth, int sourceHeight,
                                  std::uint32_t /*rop*/) {
  return CopyPicture(pictures_, dest, {x, y, width, height}, source,
                     {sourceX, sourceY, sourceWidth, sourceHeight});
}

void HostedWindowHost::ShowModal() {
  if (gate_.IsClosed()) return;
  QEventLoop loop;
  loop_ = &loop;
  windowEvents_ = std::make_unique<QSocketNotifier>(window_.Descriptor(), QSocketNotifier::Read);
  QObject::connect(windowEvents_.get(), &QSocketNotifier::activated, [this] { Look(); });
  signals_.Watch([this] { End(); });
  QTimer::singleShot(0, &loop, [this] { Compose(); });
  if (!gate_.IsClosed()) loop.exec();
  loop_ = nullptr;
  windowEvents_.reset();
  gate_.RethrowIfFailed();
}

// Only the daemon ends a hosted saver, but a request still passes the guard.
void HostedWindowHost::RequestUnload() {
  if (!gate_.IsClosed() && gate_.MayClose()) gate_.Closed();
}

void HostedWindowHost::Tick() {
  gate_.Dispatch([](platform::SaverWindowEvents& form) { form.tmrStr_Timer(); });
  Present(false);
  Look();
}

// As on an activation: the page is composed for the window's size, and the
// crawl goes on from where it was.
void HostedWindowHost::Compose() {
  window_.Clear();
  gate_.Dispatch([](platform::SaverWindowEvents& form) { form.Form_Activate(); });
  Present(true);
}

void HostedWindowHost::Present(bool whole) {
  if (gate_.IsClosed()) return;
  QtPictureSurface& display = *pictures_[1];
  const QRegion changed = display.TakeRefreshed();
  const QImage& image = display.Image();
  window_.Put(image,
              QPoint(static_cast<int>(std::lround(display.Left())),
                     static_cast<int>(std::lround(display.Top()))),
              whole ? QRegion(image.rect()) : changed);
  window_.Flush();
}

void HostedWindowHost::Look() {
  const XWindow::Changes changes = window_.TakeChanges();
  if (changes.destroyed) return End();
  if (changes.resized) return Compose();
  if (changes.exposed) {
    window_.Clear();
    Present(true);
  }
}

// The daemon decides: Form_Unload is asked, as on every close, but cannot
// keep the saver running.
void HostedWindowHost::End() {
  if (gate_.IsClosed()) return;
  gate_.MayClose();
  gate_.Closed();
}

void HostedWindowHost::Ended() {
  timer_.SetEnabled(false);
  if (loop_) loop_->quit();
}

}  // namespace tarvex::qt
