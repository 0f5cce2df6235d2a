#pragma once
// A window of another program (a screen-saver daemon's, or the root window)
// that the hosted saver draws into, through its own X connection: its size,
// its events, and putting pixels into it. Nothing is ever mapped, grabbed or
// selected for input.

#include <xcb/xcb.h>

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <cstdint>
#include <string>

namespace tarvex::qt {

class XWindow {
 public:
  // What happened to the window since the last look.
  struct Changes {
    bool resized = false;
    bool exposed = false;
    bool destroyed = false;
  };

  // Connects to $DISPLAY and watches `window` (0: the first screen's root).
  // Raises std::runtime_error naming the window when there is no display,
  // no such window, or its pixels are not 32-bit true colour.
  explicit XWindow(std::uint32_t window);
  ~XWindow();
  XWindow(const XWindow&) = delete;
  XWindow& operator=(const XWindow&) = delete;

  std::uint32_t Id() const { return window_; }
  QSize Size() const { return size_; }
  // The connection's descriptor, readable when events wait.
  int Descriptor() const;
  // Reads every waiting event.
  Changes TakeChanges();

  // Fills the whole window black.
  void Clear();
  // Puts the parts `rows` (in the image's pixels) of `image` (32-bit RGB),
  // whose top-left corner lies at `at`.
  void Put(const QImage& image, QPoint at, const QRegion& rows);
  void Flush();

 private:
  void ReadGeometry();
  void Note(const xcb_generic_event_t& event, Changes& changes);

  xcb_connection_t* connection_ = nullptr;
  std::uint32_t window_ = 0;
  std::uint32_t gc_ = 0;
  std::uint32_t black_ = 0;
  std::uint8_t depth_ = 0;
  QSize size_;
};

// The window's name in messages: "window " and its number in 0x-prefixed
// hex, as the daemons print it; 0 is the root window.
std::string WindowName(std::uint32_t window);

}  // namespace tarvex::qt
