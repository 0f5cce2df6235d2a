#pragma once
// The module state of basKORVAN: loaded by Main, shared with the saver window
// and the settings dialog, alive for the whole process.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::basKORVAN {

// The flags are 16-bit: 0 for false, -1 for true.
inline constexpr std::int16_t kFalse = 0;
inline constexpr std::int16_t kTrue = -1;

struct SaverSettings {
  std::int16_t TimerInterval = 0;  // milliseconds
  std::int16_t FontSize = 0;       // points; 0 when not stored
  std::string FontName;
  std::string FontColor;  // decimal text of a signed 32-bit colour value
  std::string MessageFile;
  std::string Mp3File;
};

struct SharedState {
  std::int32_t UsePassword = 0;
  std::int16_t SkipNextUnload = kFalse;
  std::int16_t InputArmed = kFalse;
  std::string AppDir;   // ends in the path separator
  std::string IniPath;  // AppDir + "tarvex.ini"
  SaverSettings Settings;
  std::int16_t LineCount = 0;
  // Index 0 is never written; entries 1 to LineCount hold the items.
  std::vector<std::string> MessageLines;
};

}  // namespace tarvex::basKORVAN
