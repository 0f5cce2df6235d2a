// The process services of the Windows program, which folders hold an
// installed copy, and its password services where the system has no
// password.cpl.

#include "platform/win32/process_services.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/password_services.h"
#include "platform/win32/settings_files.h"
#include "tests/support/case_name.h"

namespace tarvex::platform::win32 {
namespace {

std::string Arguments(std::string_view commandLine) {
  return std::string(ArgumentsOf(commandLine));
}

std::string CopyIn(std::string_view folder) {
  return IsSystemFolder(std::string(folder)) ? "installed" : "portable";
}

struct TextCase {
  const char* name;
  std::string (*function)(std::string_view);
  const char* in;
  const char* out;
};
TARVEX_PRINT_CASE_AS_NAME(TextCase)

class PathTextTest : public ::testing::TestWithParam<TextCase> {};

// The arguments follow the program name and its blanks; a directory ends in
// a backslash only at a drive root; the system's folders match however spelt.
TEST_P(PathTextTest, GivesThePart) {
  EXPECT_EQ(GetParam().function(GetParam().in), GetParam().out);
}

using T = TextCase;
INSTANTIATE_TEST_SUITE_P(
    Texts, PathTextTest,
    ::testing::Values(T{"QuotedWithBlanks", Arguments, "\"C:\\Program Files\\t.scr\" /c:5", "/c:5"},
                      T{"HandleAsSecondToken", Arguments, "tarvex.scr   /p 1234", "/p 1234"},
                      T{"TabAfterName", Arguments, "tarvex.scr\t/a 12", "/a 12"},
                      T{"TrailingBlanksKept", Arguments, "tarvex.scr /s  ", "/s  "},
                      T{"QuotedPartInsideName", Arguments, "C:\\\"my dir\"\\t.scr /S", "/S"},
                      T{"NameOnly", Arguments, "tarvex.scr", ""},
                      T{"UnclosedQuote", Arguments, "\"C:\\a b\\tarvex.scr /s", ""},
                      T{"Folder", DirectoryOfModule, "C:\\Windows\\tarvex.scr", "C:\\Windows"},
                      T{"DriveRoot", DirectoryOfModule, "C:\\tarvex.scr", "C:\\"},
                      T{"JapaneseFolder", DirectoryOfModule, "C:\\ソフト\\t.scr", "C:\\ソフト"},
                      T{"SystemSpeltOtherwise", CopyIn, "c:\\windows\\..\\WINDOWS\\SYSTEM32\\",
                        "installed"},
                      T{"WindowsFolder", CopyIn, "C:\\Windows", "installed"},
                      T{"BelowSystem", CopyIn, "C:\\windows\\system32\\drivers", "portable"}),
    testing::CaseName());

// Wine, like Windows NT and later, has no password.cpl: the saver closes and
// the system's own lock guards the desktop. The change is mpr.dll's.
TEST(PasswordServicesTest, WithoutPasswordCplThePasswordCountsAsAccepted) {
  ASSERT_EQ(GetFileAttributesA("password.cpl"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(VerifyScreenSavePwd(0));
  EXPECT_TRUE(PwdChangePasswordA("SCRSAVE", 0));
  EXPECT_FALSE(PwdChangePasswordA("caf\xC3\xA9", 0));
}

}  // namespace
}  // namespace tarvex::platform::win32
