#pragma once
// StretchBlt between the pictures of one saver window on Qt, for every Qt
// host: our own blitter, with the row states and spans that let it skip the
// page's black.

#include <array>
#include <memory>

#include "platform/pixels/stretch_blt.h"
#include "platform/qt/qt_picture_surface.h"

namespace tarvex::qt {

using Pictures = std::array<std::unique_ptr<QtPictureSurface>, 3>;

// The arguments of SaverWindowHost::StretchBlt; `dest` and `source` must be
// among `pictures`, or a run-time error is raised.
bool CopyPicture(const Pictures& pictures, platform::PictureSurface& dest,
                 const pixels::BlitRect& destRect, platform::PictureSurface& source,
                 const pixels::BlitRect& sourceRect);

}  // namespace tarvex::qt
