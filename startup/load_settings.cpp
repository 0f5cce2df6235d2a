// The first part of Main's loading: the password setting, the paths and the
// six settings, in every mode, before the switch is looked at.

#include <array>

#include "platform/registry.h"
#include "runtime/numeric.h"
#include "settings/basSysAPI.h"
#include "startup/basKORVAN.h"

namespace tarvex::basKORVAN {
namespace {

constexpr const char* kSection = "TARVEX";

// Any failure leaves the check off; only the first two bytes of the value
// count, read as a little-endian 16-bit number.
std::int32_t ReadUsePassword() {
  platform::RegistryKey key = 0;
  if (platform::RegOpenKeyExA(platform::kHkeyCurrentUser, "Control Panel\\desktop", 0,
                              platform::kKeyQueryValue, &key) != platform::kErrorSuccess) {
    return 0;
  }
  std::array<std::uint8_t, 4> data{};
  std::uint32_t type = platform::kRegDword;
  std::uint32_t size = data.size();
  std::int32_t value = 0;
  if (platform::RegQueryValueExA(key, "ScreenSaveUsePassword", &type, data.data(), &size) ==
      platform::kErrorSuccess) {
    value = static_cast<std::int16_t>(data[0] | (data[1] << 8));
  }
  platform::RegCloseKey(key);
  return value;
}

std::int16_t ReadTimerInterval(const std::string& iniPath) {
  const std::string text = basSysAPI::ReadIniValue(kSection, "TIME", 6, iniPath);
  const std::int16_t interval =
      runtime::ToInt16(runtime::Floor(runtime::NumericValue(text)) * 25.0);
  return interval == 0 ? std::int16_t{25} : interval;
}

}  // namespace

void LoadSettings(SharedState& state, const std::string& programDirectory,
                  const platform::SettingsFiles& files) {
  state.SkipNextUnload = kFalse;
  state.UsePassword = ReadUsePassword();
  state.AppDir = programDirectory;
  if (state.AppDir.empty() || state.AppDir.back() != kPathSeparator) {
    state.AppDir += kPathSeparator;
  }
  state.IniPath = files.save.empty() ? state.AppDir + "tarvex.ini" : files.save;
  state.LineCount = 0;

  SaverSettings& s = state.Settings;
  const std::string& ini = files.read.empty() ? state.IniPath : files.read;
  s.TimerInterval = ReadTimerInterval(ini);
  s.FontSize = runtime::ToInt16(
      runtime::Floor(runtime::NumericValue(basSysAPI::ReadIniValue(kSection, "FONTSIZE", 6, ini))));
  s.FontName = basSysAPI::ReadIniValue(kSection, "FONTNAME", 30, ini);
  s.FontColor = basSysAPI::ReadIniValue(kSection, "FONTCOLOR", 50, ini);
  s.MessageFile = basSysAPI::ReadIniValue(kSection, "FILE", 200, ini);
  s.Mp3File = basSysAPI::ReadIniValue(kSection, "MP3", 200, ini);
}

}  // namespace tarvex::basKORVAN
