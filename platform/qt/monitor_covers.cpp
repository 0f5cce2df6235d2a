#include "platform/qt/monitor_covers.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "platform/monitor_layout.h"

namespace tarvex::qt {
namespace {

platform::ScreenRect ToScreenRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

std::vector<QRect> CoverRects(const QScreen* primary, const QScreen* gone) {
  if (primary == nullptr) return {};
  std::vector<platform::ScreenRect> monitors;
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != gone) monitors.push_back(ToScreenRect(screen->geometry()));
  }
  std::vector<QRect> rects;
  for (const platform::ScreenRect& area :
       platform::CoverAreas(monitors, ToScreenRect(primary->geometry()))) {
    rects.emplace_back(area.left, area.top, area.width, area.height);
  }
  return rects;
}

}  // namespace

CoverWindow::CoverWindow(const QRect& area, const QWidget& saver, SaverDispatch dispatch,
                         PointerMotion& motion)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      saver_(saver),
      dispatch_(std::move(dispatch)),
      motion_(motion) {
  setGeometry(area);
  PaintBlack(*this);
  setMouseTracking(true);
}

void CoverWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!motion_.Moved(event->globalPosition())) return;
  const Move m = ReadMove(event);
  const platform::ScreenPoint at =
      platform::ToSaverClient({static_cast<int>(m.x), static_cast<int>(m.y)},
                              ToScreenRect(geometry()), ToScreenRect(saver_.geometry()));
  dispatch_([&](platform::SaverWindowEvents& form) {
    form.Form_MouseMove(m.button, m.shift, static_cast<float>(at.x), static_cast<float>(at.y));
  });
}

MonitorCovers::MonitorCovers(QWidget& saver, SaverDispatch dispatch, PointerMotion& motion)
    : saver_(saver), dispatch_(std::move(dispatch)), motion_(motion) {
  for (QScreen* screen : QGuiApplication::screens()) Watch(screen);
  auto* app = qGuiApp;
  connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
    Watch(screen);
    Sync();
  });
  connect(app, &QGuiApplication::screenRemoved, this, [this](QScreen* screen) { Sync(screen); });
  connect(app, &QGuiApplication::primaryScreenChanged, this, [this] { Sync(); });
}

MonitorCovers::~MonitorCovers() = default;

void MonitorCovers::Watch(QScreen* screen) {
  connect(screen, &QScreen::geometryChanged, this, [this] { Sync(); });
}

void MonitorCovers::Show() {
  shown_ = true;
  Sync();
}

void MonitorCovers::Hide() {
  shown_ = false;
  for (const std::unique_ptr<CoverWindow>& cover : covers_) cover->hide();
}

// Covers are moved or added before any goes, so that no screen shows the
// desktop in between. The saver window composes its page again when the
// primary's new area gives it a new size.
void MonitorCovers::Sync(const QScreen* gone) {
  if (!shown_) return;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr && primary != gone && saver_.geometry() != primary->geometry()) {
    saver_.setGeometry(primary->geometry());
  }
  const std::vector<QRect> rects = CoverRects(primary, gone);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (i < covers_.size()) {
      covers_[i]->setGeometry(rects[i]);
    } else {
      covers_.push_back(std::make_unique<CoverWindow>(rects[i], saver_, dispatch_, motion_));
    }
    covers_[i]->show();
    covers_[i]->raise();
  }
  covers_.resize(std::min(covers_.size(), rects.size()));
  saver_.raise();
}

}  // namespace tarvex::qt
