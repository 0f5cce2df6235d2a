#pragma once
// The saver window's three pictures at their design places, converted from
// twips at the screen's resolution. `Surface` is the toolkit's picture type,
// constructed from left, top, width, height (pixels) and the resolution.

#include <array>
#include <cstddef>
#include <memory>

#include "platform/saver_window_host.h"
#include "runtime/twips.h"

namespace tarvex::platform {

template <class Surface, class Dpi>
std::array<std::unique_ptr<Surface>, 3> DesignSurfaces(Dpi dpi) {
  std::array<std::unique_ptr<Surface>, 3> surfaces;
  for (std::size_t i = 0; i < surfaces.size(); ++i) {
    const TwipsRect& design = kPictureDesign[i];
    surfaces[i] = std::make_unique<Surface>(
        static_cast<float>(runtime::TwipsToPixels(design.left, dpi)),
        static_cast<float>(runtime::TwipsToPixels(design.top, dpi)),
        runtime::TwipsToPixels(design.width, dpi), runtime::TwipsToPixels(design.height, dpi), dpi);
  }
  return surfaces;
}

}  // namespace tarvex::platform
