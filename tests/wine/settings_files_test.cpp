// Which copies count as installed: one in the Windows or a system folder,
// however the folder is spelt, or one in a folder this user cannot write.

#include "platform/win32/settings_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::win32 {
namespace {

std::string System() {
  char folder[MAX_PATH];
  return std::string(folder, GetSystemDirectoryA(folder, MAX_PATH));
}

std::string Windows() {
  char folder[MAX_PATH];
  return std::string(folder, GetWindowsDirectoryA(folder, MAX_PATH));
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return std::toupper(c); });
  return text;
}

struct FolderCase {
  const char* name;
  bool (*check)(const std::string&);
  std::string (*folder)(const testing::TempDir&);
  bool expected;
};
TARVEX_PRINT_CASE_AS_NAME(FolderCase)

class FolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderTest, IsRecognised) {
  const testing::TempDir dir;
  EXPECT_EQ(GetParam().check(GetParam().folder(dir)), GetParam().expected);
}

using F = FolderCase;
using D = const testing::TempDir&;
INSTANTIATE_TEST_SUITE_P(
    Folders, FolderTest,
    ::testing::Values(
        F{"System", IsSystemFolder, [](D) { return System(); }, true},
        F{"SystemInCapitals", IsSystemFolder, [](D) { return Upper(System()) + "\\"; }, true},
        F{"SystemByDotDot", IsSystemFolder, [](D) { return System() + "\\..\\system32"; }, true},
        F{"Windows", IsSystemFolder, [](D) { return Windows(); }, true},
        F{"BelowSystem", IsSystemFolder, [](D) { return System() + "\\drivers"; }, false},
        F{"OwnFolder", IsSystemFolder, [](D d) { return d.str(); }, false},
        F{"OwnFolderWritable", FolderWritable, [](D d) { return d.str(); }, true},
        F{"MissingNotWritable", FolderWritable, [](D d) { return d.File("gone"); }, false}),
    testing::CaseName());

// The probe leaves nothing behind, and a copy of the user's own keeps its
// settings beside itself.
TEST(SettingsFilesTest, OwnFolderIsPortableAndStaysEmpty) {
  const testing::TempDir dir;
  EXPECT_TRUE(SettingsFilesFor(dir.str()).save.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace tarvex::platform::win32
