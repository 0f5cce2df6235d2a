#include "platform/posix/settings_files.h"

#include <filesystem>

#include "platform/posix/registry_file.h"

namespace tarvex::platform::posix {

SettingsFiles SettingsFilesFor(const std::string& programDirectory) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::exists(fs::path(programDirectory) / kInstalledMarker, error)) return {};
  const fs::path user = fs::path(RegistryFilePath()).parent_path() / "tarvex.ini";
  if (fs::create_directories(user.parent_path(), error)) {
    fs::permissions(user.parent_path(), fs::perms::owner_all, error);
  }
  const fs::path packaged = fs::path(programDirectory) / "tarvex.ini";
  return {fs::exists(user, error) ? user.string() : packaged.string(), user.string()};
}

}  // namespace tarvex::platform::posix
