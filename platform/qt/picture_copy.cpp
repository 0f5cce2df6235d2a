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

// A copy within one image reads from a snapshot, not from pixels it has
// just written.
bool CopyWithin(QtPictureSurface& picture, const pixels::BlitRect& destRect,
                const pixels::BlitRect& sourceRect) {
  const QImage snapshot = picture.Image().copy();
  const pixels::ConstPixelView view{reinterpret_cast<const std::uint32_t*>(snapshot.constBits()),
                                    snapshot.width(), snapshot.height(),
                                    snapshot.bytesPerLine() / 4};
  const pixels::PixelView dest = picture.WritablePixels();
  const bool drew =
      pixels::StretchBlt(dest, destRect, view, sourceRect, {&picture.Rows(), nullptr});
  picture.Drew(pixels::DrawnRows(dest, destRect, view, sourceRect));
  return drew;
}

}  // namespace

bool CopyPicture(const Pictures& pictures, platform::PictureSurface& dest,
                 const pixels::BlitRect& destRect, platform::PictureSurface& source,
                 const pixels::BlitRect& sourceRect) {
  QtPictureSurface& to = Own(pictures, dest);
  QtPictureSurface& from = Own(pictures, source);
  if (&to == &from) return CopyWithin(to, destRect, sourceRect);
  const pixels::PixelView target = to.WritablePixels();
  const pixels::ConstPixelView read = from.Pixels();
  const bool drew =
      pixels::StretchBlt(target, destRect, read, sourceRect, {&to.Rows(), &from.Spans()});
  if (drew) to.Drew(pixels::DrawnRows(target, destRect, read, sourceRect));
  return drew;
}

}  // namespace tarvex::qt
