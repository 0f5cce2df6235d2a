#pragma once
// A picture surface on Qt: a persistent 32-bit image, text through QPainter,
// and what our StretchBlt needs to skip work on a mostly black page.

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/pixels/changed_rows.h"
#include "platform/pixels/stretch_blt.h"
#include "platform/saver_window_host.h"

namespace tarvex::qt {

class QtPictureSurface final : public platform::PictureSurface {
 public:
  // A black surface at `left`, `top`, `width` x `height` window pixels, whose
  // text is drawn at `dpi` dots per inch in the design face, 20.4 points, bold.
  QtPictureSurface(float left, float top, int width, int height, double dpi);

  // The widget that shows this surface: it follows the surface's geometry and
  // Refresh repaints what changed since the last Refresh.
  void SetView(QWidget* view);
  // For a host that shows the surface itself, without a view: what changed
  // since the last call, in the surface's pixels, filled and ready to show.
  QRegion TakeRefreshed();

  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return static_cast<float>(image_.width()); }
  float Height() const override { return static_cast<float>(image_.height()); }
  void SetLeft(float value) override;
  void SetTop(float value) override;
  void SetWidth(float value) override;
  void SetHeight(float value) override;

  float CurrentX() const override { return currentX_; }
  float CurrentY() const override { return currentY_; }
  void SetCurrentX(float value) override { currentX_ = value; }
  void SetCurrentY(float value) override { currentY_ = value; }
  float ScaleHeight() const override;
  void SetScaleHeight(float value) override;

  void SetFontSize(float points) override;
  void SetFontName(const std::string& face) override;
  void SetFontBold(bool bold) override { font_.setBold(bold); }
  void SetForeColor(platform::OleColor color) override { foreColor_ = color; }

  void PrintLine(const std::string& text) override;
  void Cls() override;
  void Refresh() override;

  // The image as shown: rows that Cls has left unfilled are filled first.
  const QImage& Image() const;
  const QFont& Font() const { return font_; }
  // Line height in pixels: the font's ascent plus descent, without leading.
  int LineHeight() const;

  // For StretchBlt: the pixels to write, which the writer must keep in step
  // with the row states that Rows gives: rows that Cls has cleared are not
  // filled yet. Then the pixels to read, and where they differ from the
  // black background.
  pixels::PixelView WritablePixels();
  pixels::RowStates& Rows() { return rows_; }
  pixels::ConstPixelView Pixels() const;
  const pixels::RowSpans& Spans() const;
  // After a StretchBlt into WritablePixels that may have drawn `rows`.
  void Drew(pixels::RowRange rows) { changed_.MarkDrawn(rows_, rows); }

 private:
  void Resize(int width, int height);
  void Touched();
  void FillCleared() const;
  // What changed since the last call, as one region.
  QRegion TakeChanged();
  double ToPixels(double units) const;
  double ToUnits(double pixels) const;
  QString VisibleText(const std::string& text) const;

  float left_;
  float top_;
  double dpi_;
  // Cls only marks rows cleared; whatever reads or shows the image fills
  // them first (FillCleared), so the image always reads as cleared.
  mutable QImage image_;
  mutable pixels::RowStates rows_;
  mutable bool someCleared_ = false;  // rows_ may hold cleared rows
  QFont font_;
  platform::OleColor foreColor_ = 0;
  float currentX_ = 0;
  float currentY_ = 0;
  std::optional<float> scaleHeight_;  // the vertical user scale, once set
  mutable std::optional<pixels::RowSpans> spans_;
  pixels::ChangedRows changed_;
  QPointer<QWidget> view_;
};

}  // namespace tarvex::qt
