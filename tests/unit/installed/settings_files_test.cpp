// Where a portable and an installed copy read and save tarvex.ini.

#include "platform/posix/settings_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "startup/basKORVAN.h"

namespace tarvex::platform::posix {
namespace {

namespace fs = std::filesystem;

class SettingsFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program_);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    Write(program_ / "tarvex.ini", "[TARVEX]\nFONTCOLOR=65535\n");
  }
  void TearDown() override { fs::remove_all(root_); }

  static void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }
  basKORVAN::SharedState Load() {
    basKORVAN::SharedState state;
    basKORVAN::LoadSettings(state, program_.string(), SettingsFilesFor(program_.string()));
    return state;
  }

  fs::path root_ = fs::temp_directory_path() / ("tarvex-installed-" + std::to_string(getpid()));
  fs::path program_ = root_ / "usr/lib/tarvex";
  fs::path user_ = root_ / "config/tarvex/tarvex.ini";
};

TEST_F(SettingsFilesTest, PortableCopyKeepsItsSettingsBesideItself) {
  const basKORVAN::SharedState state = Load();
  EXPECT_EQ(state.IniPath, (program_ / "tarvex.ini").string());
  EXPECT_EQ(state.Settings.FontColor, "65535");
  EXPECT_FALSE(fs::exists(user_.parent_path()));
}

TEST_F(SettingsFilesTest, InstalledCopyReadsThePackagedFileUntilTheUserSaves) {
  Write(program_ / kInstalledMarker, "");
  basKORVAN::SharedState state = Load();
  EXPECT_EQ(state.IniPath, user_.string());
  EXPECT_EQ(state.Settings.FontColor, "65535");
  EXPECT_EQ(fs::status(user_.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
  Write(user_, "[TARVEX]\nFONTCOLOR=255\n");
  state = Load();
  EXPECT_EQ(state.Settings.FontColor, "255");
  EXPECT_EQ(state.AppDir, program_.string() + "/") << "readme.txt still comes from the package";
}

}  // namespace
}  // namespace tarvex::platform::posix
