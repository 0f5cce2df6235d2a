#include "platform/qt/x_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace tarvex::qt {
namespace {

constexpr std::uint8_t kBadWindow = 3;
constexpr std::uint8_t kBadDrawable = 9;

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
ReplyPtr<Reply> Own(Reply* reply) {
  return ReplyPtr<Reply>(reply, &std::free);
}

xcb_window_t RootOf(xcb_connection_t* connection, int screenNumber) {
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber && screens.rem > 1; ++i) xcb_screen_next(&screens);
  return screens.data->root;
}

// Our images are 32 bits a pixel, low byte first; the window's depth must
// store them as they are.
bool TakesOurPixels(xcb_connection_t* connection, std::uint8_t depth) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || (depth != 24 && depth != 32)) {
    return false;
  }
  xcb_format_iterator_t formats = xcb_setup_pixmap_formats_iterator(setup);
  for (; formats.rem > 0; xcb_format_next(&formats)) {
    if (formats.data->depth == depth) return formats.data->bits_per_pixel == 32;
  }
  return false;
}

}  // namespace

std::string WindowName(std::uint32_t window) {
  if (window == 0) return "the root window";
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(window));
  return std::string("window ") + text;
}

XWindow::XWindow(std::uint32_t window) {
  int screenNumber = 0;
  connection_ = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(connection_) != 0) {
    xcb_disconnect(connection_);
    connection_ = nullptr;
    throw std::runtime_error(WindowName(window) + ": no X display to draw on");
  }
  window_ = window != 0 ? window : RootOf(connection_, screenNumber);
  ReadGeometry();
  const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE;
  xcb_change_window_attributes(connection_, window_, XCB_CW_EVENT_MASK, &events);
  gc_ = xcb_generate_id(connection_);
  const std::uint32_t values[] = {black_, 0};
  xcb_create_gc(connection_, gc_, window_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, values);
  Flush();
}

XWindow::~XWindow() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
}

void XWindow::ReadGeometry() {
  const auto geometry =
      Own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_), nullptr));
  const std::string name = WindowName(window_);
  if (!geometry) throw std::runtime_error(name + " does not exist");
  depth_ = geometry->depth;
  if (!TakesOurPixels(connection_, depth_)) {
    throw std::runtime_error(name + " is not a 24- or 32-bit true-colour window");
  }
  size_ = QSize(geometry->width, geometry->height);
}

int XWindow::Descriptor() const {
  return xcb_get_file_descriptor(connection_);
}

XWindow::Changes XWindow::TakeChanges() {
  Changes changes;
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    Note(*event, changes);
    std::free(event);
  }
  // A display that went away takes the window with it.
  if (xcb_connection_has_error(connection_) != 0) changes.destroyed = true;
  return changes;
}

void XWindow::Note(const xcb_generic_event_t& event, Changes& changes) {
  switch (event.response_type & 0x7F) {
    case 0: {
      const auto& error = reinterpret_cast<const xcb_generic_error_t&>(event);
      const bool gone = error.error_code == kBadWindow || error.error_code == kBadDrawable;
      changes.destroyed = changes.destroyed || (gone && error.resource_id == window_);
      break;
    }
    case XCB_CONFIGURE_NOTIFY: {
      const auto& configure = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
      const QSize size(configure.width, configure.height);
      if (configure.window != window_ || size == size_) break;
      size_ = size;
      changes.resized = true;
      break;
    }
    case XCB_EXPOSE:
      changes.exposed = true;
      break;
    case XCB_DESTROY_NOTIFY:
      changes.destroyed =
          changes.destroyed ||
          reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window == window_;
      break;
    default:
      break;
  }
}

void XWindow::Clear() {
  const xcb_rectangle_t all{0, 0, static_cast<std::uint16_t>(size_.width()),
                            static_cast<std::uint16_t>(size_.height())};
  xcb_poly_fill_rectangle(connection_, window_, gc_, 1, &all);
}

void XWindow::Put(const QImage& image, QPoint at, const QRegion& rows) {
  // Each request stays within the server's limit: bands of whole rows.
  const std::uint32_t limit = xcb_get_maximum_request_length(connection_) * 4 - 64;
  for (const QRect& part : rows) {
    const QRect visible = part.translated(at) & QRect(QPoint(0, 0), size_);
    if (visible.isEmpty()) continue;
    const QImage band = image.copy(visible.translated(-at));
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(band.width()) * 4;
    const int rowsPerBand = std::max(1, static_cast<int>(limit / rowBytes));
    for (int row = 0; row < band.height(); row += rowsPerBand) {
      const int count = std::min(rowsPerBand, band.height() - row);
      xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                    static_cast<std::uint16_t>(band.width()), static_cast<std::uint16_t>(count),
                    static_cast<std::int16_t>(visible.x()),
                    static_cast<std::int16_t>(visible.y() + row), 0, depth_,
                    rowBytes * static_cast<std::uint32_t>(count), band.constScanLine(row));
    }
  }
}

void XWindow::Flush() {
  xcb_flush(connection_);
}

}  // namespace tarvex::qt
