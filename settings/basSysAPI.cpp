#include "settings/basSysAPI.h"

#include "platform/desktop.h"
#include "platform/profile.h"

namespace tarvex::basSysAPI {

std::string ReadIniValue(std::string_view section, std::string_view key, std::int32_t size,
                         const std::string& path) {
  return TrimAtNul(platform::GetPrivateProfileStringA(section, key, "", size, path));
}

std::string TrimAtNul(std::string_view value) {
  return std::string(value.substr(0, value.find('\0')));
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::string& path) {
  return platform::WritePrivateProfileStringA(section, key, value, path);
}

void ShowMouseCursor(platform::Desktop& desktop, std::int32_t flag) {
  desktop.ShowCursor(flag != 0);
}

}  // namespace tarvex::basSysAPI
