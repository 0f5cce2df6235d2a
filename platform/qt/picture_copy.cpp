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
bool CopyWithin(QtPictureSurface& picture, const BlitRect& destRect, const BlitRect& sourceRect) {
  const QImage snapshot = picture.Image().copy();
  const ConstPixelView pixels{reinterpret_cast<const std::uint32_t*>(snapshot.constBits()),
                              snapshot.width(), snapshot.height(), snapshot.bytesPerLine() / 4};
  return StretchBlt(picture.WritablePixels(), destRect, pixels, sourceRect,
                    {&picture.Rows(), nullptr});
}

}  // namespace

bool CopyPicture(BlitQueue& queue, const Pictures& pictures, platform::PictureSurface& dest,
                 const BlitRect& destRect, platform::PictureSurface& source,
                 const BlitRect& sourceRect) {
  QtPictureSurface& to = Own(pictures, dest);
  QtPictureSurface& from = Own(pictures, source);
  // A copy must read what the queued ones write into its source, and must
  // not write what they have still to read.
  if (&to == &from || queue.Writes(&from) || queue.Reads(&to)) queue.Run();
  if (&to == &from) return CopyWithin(to, destRect, sourceRect);
  return queue.Add({to.WritablePixels(), destRect, from.Pixels(), sourceRect,
                    BlitHints{&to.Rows(), &from.Spans()}},
                   &to, &from);
}

}  // namespace tarvex::qt
