#pragma once
// The command line of a saver hosted by a screen-saver daemon: the window
// to draw into and the settings for this run. Every option takes one or two
// dashes, and its value as the next argument or after an equals sign.
//   -root                draw into $XSCREENSAVER_WINDOW (hex 0x... or
//                        decimal), or the root window when it is unset
//   -window-id ID        draw into window ID (hex or decimal); wins over -root
//   -file PATH, -mp3 PATH, -speed 1..10, -font FACE, -size 1..1000,
//   -color #RRGGBB       override the matching tarvex.ini values
// Other options are ignored, so a daemon's own flags do no harm.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "startup/settings_overrides.h"

namespace tarvex::basKORVAN {

// A bad option value; what() says which and why.
class HostedOptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HostedOptions {
  std::uint32_t window = 0;  // 0: the screen's root window
  SettingsOverrides overrides;
};

// Hosted options when `args` (after the program name) start with an option
// and name a window by -root or -window-id; nothing otherwise, and the
// command line then means what the screen-saver switch makes of it.
// `xscreensaverWindow` is $XSCREENSAVER_WINDOW, null when unset.
std::optional<HostedOptions> ParseHostedOptions(const std::vector<std::string>& args,
                                                const char* xscreensaverWindow);

// A window id in hex (0x...) or decimal, 1 to 0xFFFFFFFF; nothing otherwise.
std::optional<std::uint32_t> ParseWindowId(const std::string& text);

}  // namespace tarvex::basKORVAN
