#pragma once
// The saver window as the form sees it: three picture surfaces, the timer,
// the window's own properties, the modal show and the unload request. The
// platform layer implements it (Qt on Linux, Win32 on Windows); tests use a
// fake. Events flow the other way, through SaverWindowEvents.

#include <array>
#include <cstdint>

#include "platform/desktop.h"

namespace tarvex::platform {

// Colours are OLE colours: 0x00BBGGRR, or 0x80000000 + n for the desktop's
// system colour number n.
using OleColor = std::uint32_t;
inline constexpr OleColor kSystemColorFlag = 0x80000000u;

// The raster operation of a plain copy.
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020u;

// Font sizes above this many points are refused: one line of it is already
// taller than the largest screens, and larger glyphs only cost memory.
inline constexpr int kMaxFontPoints = 1000;

// The timer's period for a requested interval: a zero or negative interval
// runs at the program's default period rather than stopping the crawl or
// spinning without a pause.
inline constexpr std::int32_t kDefaultTimerPeriodMs = 25;
constexpr std::int32_t TimerPeriodMs(std::int32_t interval) {
  return interval > 0 ? interval : kDefaultTimerPeriodMs;
}

// The saver window's design: where its three pictures stand, in twips (the
// page copy, the display, the text page), and the text page's face and size.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};
inline constexpr std::array<TwipsRect, 3> kPictureDesign = {{
    {1260, 300, 9000, 4500},
    {120, 840, 10440, 4515},
    {0, 0, 10440, 4515},
}};
inline constexpr const char* kDesignFace = "ＭＳ Ｐ明朝";
inline constexpr double kDesignPoints = 20.4;

// A picture surface with a persistent pixel image. Geometry is in window
// pixels; the print position is in the surface's own units (pixels until a
// vertical user scale is set).
class PictureSurface {
 public:
  virtual ~PictureSurface() = default;

  virtual float Left() const = 0;
  virtual float Top() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  virtual void SetLeft(float value) = 0;
  virtual void SetTop(float value) = 0;
  // Resizing keeps the image's top-left part; new area gets the background.
  virtual void SetWidth(float value) = 0;
  virtual void SetHeight(float value) = 0;

  virtual float CurrentX() const = 0;
  virtual float CurrentY() const = 0;
  virtual void SetCurrentX(float value) = 0;
  virtual void SetCurrentY(float value) = 0;

  // The vertical user units the height spans; setting it leaves the pixels.
  virtual float ScaleHeight() const = 0;
  virtual void SetScaleHeight(float value) = 0;

  // Raise runtime::RuntimeError(runtime::kInvalidPropertyValue) when refused; the
  // font then stays as it was.
  virtual void SetFontSize(float points) = 0;
  virtual void SetFontName(const std::string& face) = 0;
  virtual void SetFontBold(bool bold) = 0;
  virtual void SetForeColor(OleColor color) = 0;

  // Draws one line at the print position, then moves the position to x 0
  // one line height further down. Nothing wraps.
  virtual void PrintLine(const std::string& text) = 0;
  // Fills the image with the background colour; print position to 0, 0.
  virtual void Cls() = 0;
  // Puts the image on screen (visible surfaces only).
  virtual void Refresh() = 0;
};

// The animation timer.
class SaverTimer {
 public:
  virtual ~SaverTimer() = default;
  virtual std::int32_t Interval() const = 0;
  virtual void SetInterval(std::int32_t milliseconds) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// The event procedures the host calls, one at a time, on the UI thread.
class SaverWindowEvents {
 public:
  virtual void Form_Activate() = 0;
  virtual void tmrStr_Timer() = 0;
  virtual void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) = 0;
  virtual void Form_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) = 0;
  virtual void picTARVEX_Click(std::int16_t Index) = 0;
  virtual void picTARVEX_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift) = 0;
  virtual void picTARVEX_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t Shift,
                                   float X, float Y) = 0;
  // Set Cancel to true (-1) to keep the window.
  virtual void Form_Unload(std::int16_t& Cancel) = 0;

 protected:
  ~SaverWindowEvents() = default;
};

class SaverWindowHost {
 public:
  virtual ~SaverWindowHost() = default;

  // The form whose event procedures receive this window's events.
  virtual void Attach(SaverWindowEvents& form) = 0;

  // picTARVEX(index), index 0 to 2: the page copy, the display, the page.
  virtual PictureSurface& Picture(int index) = 0;
  virtual SaverTimer& Timer() = 0;

  // The client area, in pixels.
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  virtual WindowHandle Handle() const = 0;
  virtual OleColor ForeColor() const = 0;
  virtual void SetForeColor(OleColor color) = 0;

  // Scaled copy between two surfaces of this window; negative widths or
  // heights mirror. Returns false when nothing could be drawn.
  virtual bool StretchBlt(PictureSurface& dest, int x, int y, int width, int height,
                          PictureSurface& source, int sourceX, int sourceY, int sourceWidth,
                          int sourceHeight, std::uint32_t rop) = 0;

  // Shows the window modally; returns once it has closed. A run-time error
  // raised by an event procedure closes the window and is raised from here.
  virtual void ShowModal() = 0;
  // Asks Form_Unload; the window closes unless the form cancels.
  virtual void RequestUnload() = 0;
};

}  // namespace tarvex::platform
