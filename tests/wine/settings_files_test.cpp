// Which folders hold an installed copy: the Windows and the system folders,
// however they are spelt, and no folder below them.

#include "platform/win32/settings_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/case_name.h"

namespace tarvex::platform::win32 {
namespace {

std::string Folder(UINT(WINAPI* call)(LPSTR, UINT)) {
  char folder[MAX_PATH];
  return {folder, call(folder, MAX_PATH)};
}
const std::string kSystem = Folder(GetSystemDirectoryA);

using FolderCase = std::tuple<const char*, std::string, bool>;
class SystemFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SystemFolderTest, IsRecognised) {
  EXPECT_EQ(IsSystemFolder(std::get<1>(GetParam())), std::get<2>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SystemFolderTest,
    ::testing::Values(FolderCase{"SystemSpeltOtherwise", kSystem + "\\..\\SYSTEM32\\", true},
                      FolderCase{"Windows", Folder(GetWindowsDirectoryA), true},
                      FolderCase{"BelowSystem", kSystem + "\\drivers", false}),
    testing::CaseName());

}  // namespace
}  // namespace tarvex::platform::win32
