#include "platform/win32/gdi_picture_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32/design_units.h"
#include "platform/win32/gdi_colors.h"
#include "platform/win32/screen_fonts.h"
#include "platform/win32/wide_text.h"
#include "runtime/ansi_text.h"
#include "runtime/runtime_error.h"

namespace tarvex::platform::win32 {

namespace {

// No surface grows beyond this many pixels a side: a bound on memory that
// still holds the largest screens.
constexpr int kMaxPixels = 16384;
// Characters laid out beyond what the remaining width could show at one
// pixel each: enough for marks that take no width of their own.
constexpr std::size_t kSpareCharacters = 64;
constexpr unsigned kUtf8ContinuationMask = 0xC0;
constexpr unsigned kUtf8Continuation = 0x80;

int PixelCount(float value) {
  if (!(value > 0)) return 0;
  return static_cast<int>(std::min<double>(std::nearbyint(value), kMaxPixels));
}

int WholePixel(double value) {
  return static_cast<int>(std::lround(value));
}

// At most `bytes` bytes of `text`, cut before a character, not inside one.
std::string_view Utf8Prefix(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  while (bytes > 0 &&
         (static_cast<unsigned char>(text[bytes]) & kUtf8ContinuationMask) == kUtf8Continuation) {
    --bytes;
  }
  return text.substr(0, bytes);
}

GdiObject<HFONT> CreateTextFont(const std::string& face, double points, bool bold, int dpi) {
  const int height = std::max(1, PointsToPixels(points, dpi));
  const std::string ansiFace = runtime::TextToAnsiLossy(face);
  return GdiObject<HFONT>(CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                      FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, ansiFace.c_str()));
}

GdiObject<HBITMAP> CreateImage(HDC dc, int width, int height, std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &raw, nullptr, 0));
  if (!bitmap || raw == nullptr) throw runtime::RuntimeError(runtime::kOutOfMemory, "picture");
  *bits = static_cast<std::uint32_t*>(raw);
  std::memset(raw, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  return bitmap;
}

}  // namespace

GdiPictureSurface::GdiPictureSurface(float left, float top, int width, int height, int dpi)
    : left_(left), top_(top), dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {
  if (!dc_) throw runtime::RuntimeError(runtime::kOutOfMemory, "picture");
  stockBitmap_ = GetCurrentObject(dc_.get(), OBJ_BITMAP);
  stockFont_ = GetCurrentObject(dc_.get(), OBJ_FONT);
  SetBkMode(dc_.get(), TRANSPARENT);
  UseFont(kDesignFace, kDesignPoints, true);
  Resize(width, height);
}

GdiPictureSurface::~GdiPictureSurface() {
  // The image and the font can only be deleted once the DC lets go of them.
  SelectObject(dc_.get(), stockBitmap_);
  SelectObject(dc_.get(), stockFont_);
}

void GdiPictureSurface::SetView(HWND view) {
  view_ = view;
  if (view_ != nullptr) {
    SetWindowPos(view_, nullptr, WholePixel(left_), WholePixel(top_), width_, height_,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void GdiPictureSurface::SetLeft(float value) {
  left_ = value;
  if (view_ != nullptr) {
    SetWindowPos(view_, nullptr, WholePixel(left_), WholePixel(top_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void GdiPictureSurface::SetTop(float value) {
  top_ = value;
  SetLeft(left_);
}

void GdiPictureSurface::SetWidth(float value) {
  Resize(PixelCount(value), height_);
}

void GdiPictureSurface::SetHeight(float value) {
  Resize(width_, PixelCount(value));
}

void GdiPictureSurface::Resize(int width, int height) {
  if (width == width_ && height == height_ && (bits_ != nullptr || width == 0 || height == 0)) {
    return;
  }
  GdiObject<HBITMAP> bitmap;
  std::uint32_t* bits = nullptr;
  if (width > 0 && height > 0) {
    bitmap = CreateImage(dc_.get(), width, height, &bits);
    GdiFlush();
    const int rows = std::min(height, height_);
    const auto columns = static_cast<std::size_t>(std::min(width, width_));
    for (int y = 0; bits_ != nullptr && y < rows; ++y) {
      std::memcpy(bits + static_cast<std::ptrdiff_t>(y) * width,
                  bits_ + static_cast<std::ptrdiff_t>(y) * width_, columns * 4);
    }
  }
  SelectObject(dc_.get(), bitmap ? bitmap.get() : stockBitmap_);
  bitmap_ = std::move(bitmap);
  bits_ = bits;
  width_ = width;
  height_ = height;
  if (view_ != nullptr) {
    SetWindowPos(view_, nullptr, 0, 0, width_, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

float GdiPictureSurface::ScaleHeight() const {
  return scaleHeight_ ? *scaleHeight_ : static_cast<float>(height_);
}

// A zero scale has no size to span: positions then stay in pixels, so an
// empty message leaves a blank page and the saver runs on.
double GdiPictureSurface::ToPixels(double units) const {
  if (!scaleHeight_ || *scaleHeight_ == 0) return units;
  return units * height_ / *scaleHeight_;
}

double GdiPictureSurface::ToUnits(double pixels) const {
  if (!scaleHeight_ || *scaleHeight_ == 0 || height_ == 0) return pixels;
  return pixels * *scaleHeight_ / height_;
}

void GdiPictureSurface::UseFont(const std::string& face, double points, bool bold) {
  GdiObject<HFONT> font = CreateTextFont(face, points, bold, dpi_);
  if (!font) throw runtime::RuntimeError(runtime::kInvalidPropertyValue, "Font");
  SelectObject(dc_.get(), font.get());
  font_ = std::move(font);
  face_ = face;
  points_ = points;
  bold_ = bold;
}

void GdiPictureSurface::SetFontSize(float points) {
  if (!(points > 0 && points <= kMaxFontPoints)) {
    throw runtime::RuntimeError(runtime::kInvalidPropertyValue, "FontSize");
  }
  UseFont(face_, points, bold_);
}

// GDI never refuses a face (it picks a stand-in), so a face the screen has
// no family of is refused here.
void GdiPictureSurface::SetFontName(const std::string& face) {
  if (!ScreenHasFontFace(face)) {
    throw runtime::RuntimeError(runtime::kInvalidPropertyValue, "FontName");
  }
  UseFont(face, points_, bold_);
}

void GdiPictureSurface::SetFontBold(bool bold) {
  UseFont(face_, points_, bold);
}

int GdiPictureSurface::LineHeight() const {
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(dc_.get(), &metrics) == FALSE) return 0;
  return metrics.tmHeight;
}

// Control characters print as blanks; a very long line is cut to what can
// reach the page's right edge, so laying it out stays cheap.
std::wstring GdiPictureSurface::VisibleText(const std::string& text, int x) const {
  const std::size_t reach = static_cast<std::size_t>(std::max(0, width_ - x)) + kSpareCharacters;
  std::wstring line = Utf16(Utf8Prefix(text, reach * 3));
  if (line.size() > reach) {
    line.resize(reach);
    if (IS_HIGH_SURROGATE(line.back())) line.pop_back();
  }
  for (wchar_t& c : line) {
    if (c < L' ' || c == L'\x7F') c = L' ';
  }
  return line;
}

void GdiPictureSurface::PrintLine(const std::string& text) {
  const double top = ToPixels(currentY_);
  const int height = LineHeight();
  if (!text.empty() && bits_ != nullptr && top < height_ && top + height > 0) {
    const int x = WholePixel(currentX_);
    const std::wstring line = VisibleText(text, x);
    SetTextColor(dc_.get(), ColorRefFromOle(foreColor_));
    TextOutW(dc_.get(), x, WholePixel(top), line.data(), static_cast<int>(line.size()));
  }
  currentX_ = 0;
  currentY_ = static_cast<float>(ToUnits(top + height));
}

void GdiPictureSurface::Cls() {
  if (bits_ != nullptr) {
    GdiFlush();
    std::memset(bits_, 0, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4);
  }
  currentX_ = 0;
  currentY_ = 0;
}

void GdiPictureSurface::Refresh() {
  if (view_ == nullptr) return;
  const WindowDc screen(view_);
  if (screen.get() != nullptr) PaintTo(screen.get());
}

void GdiPictureSurface::PaintTo(HDC target) const {
  BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

std::unique_ptr<GdiPictureSurface> GdiPictureSurface::ImageCopy() const {
  auto copy = std::make_unique<GdiPictureSurface>(left_, top_, width_, height_, dpi_);
  PaintTo(copy->Dc());
  return copy;
}

std::uint32_t GdiPictureSurface::Pixel(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  constexpr std::uint32_t kRgb = 0x00FFFFFFu;
  return bits_[static_cast<std::ptrdiff_t>(y) * width_ + x] & kRgb;
}

}  // namespace tarvex::platform::win32
