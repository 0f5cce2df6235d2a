#pragma once
// StretchBlt between the pictures of one saver window on Qt, for every Qt
// host: copies wait in the window's blit queue, which runs first whenever a
// copy depends on copies still waiting.

#include <array>
#include <memory>

#include "platform/qt/blit_queue.h"
#include "platform/qt/qt_picture_surface.h"

namespace tarvex::qt {

using Pictures = std::array<std::unique_ptr<QtPictureSurface>, 3>;

// The arguments of SaverWindowHost::StretchBlt; `dest` and `source` must be
// among `pictures`, or a run-time error is raised.
bool CopyPicture(BlitQueue& queue, const Pictures& pictures, platform::PictureSurface& dest,
                 const BlitRect& destRect, platform::PictureSurface& source,
                 const BlitRect& sourceRect);

}  // namespace tarvex::qt
