#include "platform/qt/picture_copy.h"

#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

// The crawl's hundreds of copies a tick look the pictures up among three
// rather than cast.
QtPictureSurface& Own(const Pictures& pictures, platform::PictureSurface& surface) {
  for (const std::unique_ptr<QtPictureSurface>& picture : pictures) {
    if (picture.get() == &surface) return *picture;
  }
  throw runtime::RuntimeError(runtime::kInvalidProcedureCall, "StretchBlt");
}

// Draws and notes the rows drawn, which the next refresh shows.
bool Blit(QtPictureSurface& to, const pixels::BlitRect& destRect,
          const pixels::ConstPixelView& read, const pixels::BlitRect& sourceRect,
          const pixels::RowSpans* spans) {
  const pixels::PixelView target = to.WritablePixels();
  const bool drew = pixels::StretchBlt(target, destRect, read, sourceRect, {&to.Rows(), spans});
  if (drew) to.Drew(pixels::DrawnRows(target, destRect, read, sourceRect));
  return drew;
}

}  // namespace

bool CopyPicture(const Pictures& pictures, platform::PictureSurface& dest,
                 const pixels::BlitRect& destRect, platform::PictureSurface& source,
                 const pixels::BlitRect& sourceRect) {
  QtPictureSurface& to = Own(pictures, dest);
  QtPictureSurface& from = Own(pictures, source);
  if (&to != &from) return Blit(to, destRect, from.Pixels(), sourceRect, &from.Spans());
  // A copy within one image reads from a snapshot, not from pixels it has
  // just written.
  const QImage snapshot = to.Image().copy();
  const pixels::ConstPixelView view{reinterpret_cast<const std::uint32_t*>(snapshot.constBits()),
                                    snapshot.width(), snapshot.height(),
                                    snapshot.bytesPerLine() / 4};
  return Blit(to, destRect, view, sourceRect, nullptr);
}

}  // namespace tarvex::qt
