#pragma once
// A picture surface on GDI: a memory DC over a 32-bit top-down DIB section
// (the persistent image), text through a font made with CreateFontA, and the
// window that shows the image, for the visible surface.

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/saver_window_host.h"
#include "platform/win32/gdi_handles.h"

namespace tarvex::platform::win32 {

class GdiPictureSurface final : public PictureSurface {
 public:
  // A black surface at `left`, `top`, `width` x `height` window pixels, whose
  // text is drawn at `dpi` dots per inch in the design face, bold.
  GdiPictureSurface(float left, float top, int width, int height, int dpi);
  ~GdiPictureSurface() override;
  GdiPictureSurface(const GdiPictureSurface&) = delete;
  GdiPictureSurface& operator=(const GdiPictureSurface&) = delete;

  // The window that shows this surface: it follows the surface's geometry,
  // and Refresh copies the image into it.
  void SetView(HWND view);

  float Left() const override { return left_; }
  float Top() const override { return top_; }
  float Width() const override { return static_cast<float>(width_); }
  float Height() const override { return static_cast<float>(height_); }
  void SetLeft(float value) override;
  void SetTop(float value) override;
  void SetWidth(float value) override;
  void SetHeight(float value) override;

  float CurrentX() const override { return currentX_; }
  float CurrentY() const override { return currentY_; }
  void SetCurrentX(float value) override { currentX_ = value; }
  void SetCurrentY(float value) override { currentY_ = value; }
  float ScaleHeight() const override;
  void SetScaleHeight(float value) override { scaleHeight_ = value; }

  void SetFontSize(float points) override;
  void SetFontName(const std::string& face) override;
  void SetFontBold(bool bold) override;
  void SetForeColor(OleColor color) override { foreColor_ = color; }

  void PrintLine(const std::string& text) override;
  void Cls() override;
  void Refresh() override;

  // The device context StretchBlt reads from and draws into.
  HDC Dc() const { return dc_.get(); }
  // Copies the whole image into `target` at 0, 0.
  void PaintTo(HDC target) const;
  // A copy of this surface's image, for a stretch-copy within one surface.
  std::unique_ptr<GdiPictureSurface> ImageCopy() const;

  // The pixel at x, y as 0x00RRGGBB (black outside the image).
  std::uint32_t Pixel(int x, int y) const;
  // Line height in pixels: the font's ascent plus descent, without leading.
  int LineHeight() const;
  const std::string& FontFace() const { return face_; }
  double FontPoints() const { return points_; }
  bool FontBold() const { return bold_; }

 private:
  void Resize(int width, int height);
  void UseFont(const std::string& face, double points, bool bold);
  double ToPixels(double units) const;
  double ToUnits(double pixels) const;
  std::wstring VisibleText(const std::string& text, int x) const;

  float left_;
  float top_;
  int dpi_;
  int width_ = 0;
  int height_ = 0;
  MemoryDc dc_;
  GdiObject<HBITMAP> bitmap_;
  std::uint32_t* bits_ = nullptr;
  HGDIOBJ stockBitmap_ = nullptr;
  GdiObject<HFONT> font_;
  HGDIOBJ stockFont_ = nullptr;
  std::string face_;
  double points_ = kDesignPoints;
  bool bold_ = true;
  OleColor foreColor_ = 0;
  float currentX_ = 0;
  float currentY_ = 0;
  std::optional<float> scaleHeight_;  // the vertical user scale, once set
  HWND view_ = nullptr;
};

}  // namespace tarvex::platform::win32
