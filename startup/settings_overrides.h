#pragma once
// Settings given for one run (a screen-saver daemon passes them on the
// command line): each one set replaces the value loaded from tarvex.ini; the
// file itself is never written.

#include <cstdint>
#include <optional>
#include <string>

#include "startup/shared_state.h"

namespace tarvex::basKORVAN {

struct SettingsOverrides {
  std::optional<std::string> MessageFile;
  std::optional<std::string> Mp3File;
  std::optional<std::int16_t> TimerInterval;  // milliseconds
  std::optional<std::string> FontName;
  std::optional<std::int16_t> FontSize;
  std::optional<std::string> FontColor;  // decimal text, as tarvex.ini holds it
};

void ApplyOverrides(SaverSettings& settings, const SettingsOverrides& overrides);

}  // namespace tarvex::basKORVAN
