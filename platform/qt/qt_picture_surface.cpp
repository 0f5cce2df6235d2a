#include "platform/qt/qt_picture_surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/qt/saver_font_faces.h"
#include "platform/qt/saver_system_colors.h"
#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
// No surface grows beyond this many pixels a side: a bound on memory that
// still holds the largest screens.
constexpr int kMaxPixels = 16384;
// Lines longer than this many characters are cut to what the page can show
// before they are laid out.
constexpr qsizetype kCutCheckLength = 256;

int PixelCount(float value) {
  if (!(value > 0)) return 0;
  return static_cast<int>(std::min<double>(std::nearbyint(value), kMaxPixels));
}

}  // namespace

QtPictureSurface::QtPictureSurface(float left, float top, int width, int height, double dpi)
    : left_(left), top_(top), dpi_(dpi) {
  font_.setFamily(*FamilyForFace(platform::kDesignFace));
  font_.setPointSizeF(platform::kDesignPoints);
  font_.setBold(true);
  Resize(width, height);
}

void QtPictureSurface::SetView(QWidget* view) {
  view_ = view;
  if (view_) {
    view_->setGeometry(static_cast<int>(std::nearbyint(left_)),
                       static_cast<int>(std::nearbyint(top_)), image_.width(), image_.height());
  }
}

void QtPictureSurface::SetLeft(float value) {
  left_ = value;
  if (view_) view_->move(static_cast<int>(std::nearbyint(left_)), view_->y());
}

void QtPictureSurface::SetTop(float value) {
  top_ = value;
  if (view_) view_->move(view_->x(), static_cast<int>(std::nearbyint(top_)));
}

void QtPictureSurface::SetWidth(float value) {
  Resize(PixelCount(value), image_.height());
}

void QtPictureSurface::SetHeight(float value) {
  Resize(image_.width(), PixelCount(value));
}

void QtPictureSurface::Resize(int width, int height) {
  if (!image_.isNull() && width == image_.width() && height == image_.height()) return;
  FillCleared();
  QImage resized(width, height, QImage::Format_RGB32);
  const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
  resized.setDotsPerMeterX(dotsPerMeter);
  resized.setDotsPerMeterY(dotsPerMeter);
  resized.fill(kBlack);
  const int rows = std::min(height, image_.height());
  const int columns = std::min(width, image_.width());
  for (int y = 0; y < rows; ++y) {
    std::copy_n(reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y)), columns,
                reinterpret_cast<std::uint32_t*>(resized.scanLine(y)));
  }
  image_ = std::move(resized);
  rows_.assign(static_cast<std::size_t>(height), pixels::RowState::Dirty(width));
  changed_.Reset(width, height);
  Touched();
  if (view_) view_->resize(width, height);
}

void QtPictureSurface::Touched() {
  spans_.reset();
}

float QtPictureSurface::ScaleHeight() const {
  return scaleHeight_ ? *scaleHeight_ : static_cast<float>(image_.height());
}

void QtPictureSurface::SetScaleHeight(float value) {
  scaleHeight_ = value;
}

// A zero scale has no size to span: positions then stay in pixels, so an
// empty message leaves a blank page and the saver runs on.
double QtPictureSurface::ToPixels(double units) const {
  if (!scaleHeight_ || *scaleHeight_ == 0) return units;
  return units * image_.height() / *scaleHeight_;
}

double QtPictureSurface::ToUnits(double pixels) const {
  if (!scaleHeight_ || *scaleHeight_ == 0 || image_.height() == 0) return pixels;
  return pixels * *scaleHeight_ / image_.height();
}

void QtPictureSurface::SetFontSize(float points) {
  if (!(points > 0 && points <= platform::kMaxFontPoints)) {
    throw runtime::RuntimeError(runtime::kInvalidPropertyValue, "FontSize");
  }
  font_.setPointSizeF(points);
}

void QtPictureSurface::SetFontName(const std::string& face) {
  const std::optional<QString> family = FamilyForFace(face);
  if (!family) throw runtime::RuntimeError(runtime::kInvalidPropertyValue, "FontName");
  font_.setFamily(*family);
}

int QtPictureSurface::LineHeight() const {
  const QFontMetricsF metrics(font_, &image_);
  return static_cast<int>(std::ceil(metrics.ascent() + metrics.descent()));
}

// Control characters print as blanks; a very long line is cut to what can
// reach the page's right edge, so laying it out stays cheap.
QString QtPictureSurface::VisibleText(const std::string& text) const {
  QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  for (QChar& c : line) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
  }
  if (line.size() <= kCutCheckLength) return line;
  const QFontMetricsF metrics(font_, &image_);
  double x = currentX_;
  qsizetype reach = 0;
  while (reach < line.size() && x <= image_.width()) x += metrics.horizontalAdvance(line[reach++]);
  reach = std::min(line.size(), reach + 8);
  if (reach < line.size() && line[reach - 1].isHighSurrogate()) ++reach;
  line.truncate(reach);
  return line;
}

void QtPictureSurface::PrintLine(const std::string& text) {
  FillCleared();
  const double top = ToPixels(currentY_);
  const int height = LineHeight();
  if (!text.empty() && !image_.isNull() && top < image_.height() && top + height > 0) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(ColorFromOle(foreColor_));
    const QFontMetricsF metrics(font_, &image_);
    painter.drawText(QPointF(currentX_, top + metrics.ascent()), VisibleText(text));
    const auto first = static_cast<std::size_t>(std::max(0.0, std::floor(top)));
    const auto last = std::min(rows_.size(), static_cast<std::size_t>(std::ceil(top + height)));
    for (std::size_t row = first; row < last; ++row)
      rows_[row] = pixels::RowState::Dirty(image_.width());
    changed_.Mark(static_cast<int>(first), static_cast<int>(last));
    Touched();
  }
  currentX_ = 0;
  currentY_ = static_cast<float>(ToUnits(top + height));
}

// Rows are filled when next drawn on, while their pixels are at hand, or
// when the image is read or shown; rows no one drew on are black already.
void QtPictureSurface::Cls() {
  changed_.MarkCleared(rows_);
  pixels::ClearRows(rows_);
  someCleared_ = true;
  Touched();
  currentX_ = 0;
  currentY_ = 0;
}

// Only what changed goes to the screen: the bands drawn since the last
// Refresh and what a clear has emptied. Without a view, the host takes it
// when it shows the surface.
void QtPictureSurface::Refresh() {
  FillCleared();
  if (view_) view_->update(TakeChanged());
}

QRegion QtPictureSurface::TakeRefreshed() {
  FillCleared();
  return TakeChanged();
}

QRegion QtPictureSurface::TakeChanged() {
  QRegion changed;
  for (const pixels::BlitRect& part : changed_.Take()) {
    changed += QRect(part.x, part.y, part.width, part.height);
  }
  return changed;
}

const QImage& QtPictureSurface::Image() const {
  FillCleared();
  return image_;
}

void QtPictureSurface::FillCleared() const {
  if (!someCleared_) return;
  someCleared_ = false;
  if (image_.isNull()) return;
  auto* bits = reinterpret_cast<std::uint32_t*>(image_.bits());
  pixels::FillClearedRows({bits, image_.width(), image_.height(), image_.bytesPerLine() / 4}, rows_,
                          kBlack);
}

pixels::PixelView QtPictureSurface::WritablePixels() {
  Touched();
  if (image_.isNull()) return {nullptr, 0, 0, 0};
  return {reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
          image_.bytesPerLine() / 4};
}

pixels::ConstPixelView QtPictureSurface::Pixels() const {
  FillCleared();
  if (image_.isNull()) return {nullptr, 0, 0, 0};
  return {reinterpret_cast<const std::uint32_t*>(image_.constBits()), image_.width(),
          image_.height(), image_.bytesPerLine() / 4};
}

const pixels::RowSpans& QtPictureSurface::Spans() const {
  if (!spans_) spans_.emplace(Pixels(), kBlack);
  return *spans_;
}

}  // namespace tarvex::qt
