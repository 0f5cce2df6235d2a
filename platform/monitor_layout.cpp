#include "platform/monitor_layout.h"

#include <algorithm>

namespace tarvex::platform {
namespace {

bool Inside(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

std::vector<ScreenRect> CoverAreas(const std::vector<ScreenRect>& monitors,
                                   const ScreenRect& primary) {
  std::vector<ScreenRect> areas;
  for (const ScreenRect& monitor : monitors) {
    if (monitor.width <= 0 || monitor.height <= 0 || Inside(monitor, primary)) continue;
    if (std::find(areas.begin(), areas.end(), monitor) == areas.end()) areas.push_back(monitor);
  }
  return areas;
}

ScreenPoint ToSaverClient(ScreenPoint inCover, const ScreenRect& cover, const ScreenRect& saver) {
  return {cover.left + inCover.x - saver.left, cover.top + inCover.y - saver.top};
}

}  // namespace tarvex::platform
