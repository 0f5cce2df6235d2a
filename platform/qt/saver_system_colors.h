#pragma once
// OLE colours on Qt: plain colours are 0x00BBGGRR; 0x80000000 + n is the
// desktop's system colour n, taken from the application palette by this
// table (n: role):
//   0 scroll bar: Button          1 desktop: Dark            2 active caption: Highlight
//   3 inactive caption: inactive Highlight                   4 menu: Window
//   5 window: Base                6 window frame: Shadow     7 menu text: WindowText
//   8 window text: Text           9 caption text: HighlightedText
//  10 active border: Window      11 inactive border: inactive Window
//  12 application workspace: Mid 13 highlight: Highlight     14 highlight text: HighlightedText
//  15 button face: Button        16 button shadow: Dark      17 grey text: disabled Text
//  18 button text: ButtonText    19 inactive caption text: inactive HighlightedText
//  20 button highlight: Light    21 3D dark shadow: Shadow   22 3D light: Midlight
//  23 tooltip text: ToolTipText  24 tooltip: ToolTipBase     26 hot-tracked item: Link
//  27 active caption gradient: Highlight                     28 inactive caption gradient: inactive
//  Highlight 29 menu highlight: Highlight  30 menu bar: Window
// Numbers without a system colour (25, 31 and up) give black, as the desktop
// answers for them.

#include <QColor>

#include "platform/saver_window_host.h"

namespace tarvex::qt {

QColor ColorFromOle(platform::OleColor color);

}  // namespace tarvex::qt
