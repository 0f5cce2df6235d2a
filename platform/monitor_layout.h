#pragma once
// Where the saver's windows stand on a desktop of several monitors, whatever
// the toolkit: the saver window on the primary monitor, a black cover on
// every other one. Positions are in the desktop's pixels.

#include <vector>

namespace tarvex::platform {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// The areas that get a cover, in the monitors' order: every monitor but the
// primary, each area once. A monitor that lies wholly inside the primary's
// area (a mirror) is hidden by the saver window already, and an empty one
// shows nothing.
std::vector<ScreenRect> CoverAreas(const std::vector<ScreenRect>& monitors,
                                   const ScreenRect& primary);

// A point in a cover's client pixels, in the saver window's client pixels:
// the form sees moves over a cover as moves outside its own window.
ScreenPoint ToSaverClient(ScreenPoint inCover, const ScreenRect& cover, const ScreenRect& saver);

}  // namespace tarvex::platform
