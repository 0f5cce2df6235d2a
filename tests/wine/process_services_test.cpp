// The process services of the Windows program.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/password_services.h"
#include "platform/win32/process_services.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::win32 {
namespace {

using testing::TempDir;

struct CommandLineCase {
  const char* name;
  const char* commandLine;
  const char* arguments;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
  *os << c.name;
}

class ArgumentsOfTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ArgumentsOfTest, SkipsTheProgramNameAndTheBlanksAfterIt) {
  EXPECT_EQ(ArgumentsOf(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ArgumentsOfTest,
    ::testing::Values(
        CommandLineCase{"Unquoted", "tarvex.scr /s", "/s"},
        CommandLineCase{"QuotedWithBlanks", "\"C:\\Program Files\\tarvex.scr\" /c:5678", "/c:5678"},
        CommandLineCase{"HandleAsSecondToken", "tarvex.scr   /p 1234", "/p 1234"},
        CommandLineCase{"TabAfterName", "tarvex.scr\t/a 12", "/a 12"},
        CommandLineCase{"TrailingBlanksKept", "tarvex.scr /s  ", "/s  "},
        CommandLineCase{"QuotedPartInsideName", "C:\\\"my dir\"\\tarvex.scr /S", "/S"},
        CommandLineCase{"NameOnly", "tarvex.scr", ""},
        CommandLineCase{"QuotedNameOnly", "\"C:\\a b\\tarvex.scr\"", ""},
        CommandLineCase{"UnclosedQuote", "\"C:\\a b\\tarvex.scr /s", ""},
        CommandLineCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModulePathCase {
  const char* name;
  const char* path;
  const char* directory;
};

void PrintTo(const ModulePathCase& c, std::ostream* os) {
  *os << c.name;
}

class DirectoryOfModuleTest : public ::testing::TestWithParam<ModulePathCase> {};

TEST_P(DirectoryOfModuleTest, EndsInABackslashOnlyAtADriveRoot) {
  EXPECT_EQ(DirectoryOfModule(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DirectoryOfModuleTest,
    ::testing::Values(ModulePathCase{"Folder", "C:\\Windows\\tarvex.scr", "C:\\Windows"},
                      ModulePathCase{"DriveRoot", "C:\\tarvex.scr", "C:\\"},
                      ModulePathCase{"Share", "\\\\srv\\share\\tarvex.scr", "\\\\srv\\share"},
                      ModulePathCase{"JapaneseFolder", "C:\\ソフト\\tarvex.scr", "C:\\ソフト"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessServicesTest, ProgramDirectoryHoldsThisProgram) {
  const std::string directory = ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), '\\');
  EXPECT_TRUE(NormalFileExists(directory + "\\win32_platform_tests.exe")) << directory;
}

// Run with the arguments the ctest entry gives; they reach the program as
// the system joined them.
TEST(ProcessServicesTest, CommandLineTextIsWhatFollowsTheProgramName) {
  const char* expected = std::getenv("TARVEX_EXPECTED_ARGUMENTS");
  if (expected == nullptr) GTEST_SKIP() << "needs the arguments of its ctest entry";
  EXPECT_EQ(CommandLineText(), expected);
}

TEST(ProcessServicesTest, ASecondClaimOfTheSameNameFails) {
  EXPECT_TRUE(ClaimInstance("Local\\tarvex-test-claim-a"));
  EXPECT_FALSE(ClaimInstance("Local\\tarvex-test-claim-a"));
  EXPECT_TRUE(ClaimInstance("Local\\tarvex-test-claim-b"));
}

TEST(ProcessServicesTest, TheInstanceClaimGivesOneAnswerPerProcess) {
  const bool first = ClaimSingleInstance();
  EXPECT_TRUE(first);
  EXPECT_EQ(ClaimSingleInstance(), first);
  EXPECT_FALSE(ClaimInstance(kInstanceMutexName));
}

struct FileCase {
  const char* name;
  DWORD attributes;  // of the file "f" made in the folder; 0: nothing made
  const char* tested;
  bool exists;
};

void PrintTo(const FileCase& c, std::ostream* os) {
  *os << c.name;
}

class NormalFileExistsTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(NormalFileExistsTest, CountsOnlyNormalFiles) {
  const TempDir dir;
  const FileCase& c = GetParam();
  CreateDirectoryA((dir.str() + "\\folder").c_str(), nullptr);
  if (c.attributes != 0) {
    const std::string file = dir.Write("f", "x");
    SetFileAttributesA(file.c_str(), c.attributes);
  }
  EXPECT_EQ(NormalFileExists(c.tested[0] == '\0' ? std::string() : dir.str() + "\\" + c.tested),
            c.exists);
  SetFileAttributesA((dir.str() + "\\f").c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(Files, NormalFileExistsTest,
                         ::testing::Values(FileCase{"Normal", FILE_ATTRIBUTE_NORMAL, "f", true},
                                           FileCase{"ReadOnly", FILE_ATTRIBUTE_READONLY, "f", true},
                                           FileCase{"Archive", FILE_ATTRIBUTE_ARCHIVE, "f", true},
                                           FileCase{"Hidden", FILE_ATTRIBUTE_HIDDEN, "f", false},
                                           FileCase{"System", FILE_ATTRIBUTE_SYSTEM, "f", false},
                                           FileCase{"Directory", 0, "folder", false},
                                           FileCase{"Missing", 0, "none", false},
                                           FileCase{"Wildcard", FILE_ATTRIBUTE_NORMAL, "*", false},
                                           FileCase{"NameTheCodePageLacks", 0, "caf\xC3\xA9",
                                                    false},
                                           FileCase{"EmptyName", 0, "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Wine, like Windows NT and later, has no password.cpl: the saver closes and
// the system's own lock guards the desktop.
TEST(PasswordServicesTest, WithoutPasswordCplThePasswordCountsAsAccepted) {
  ASSERT_EQ(GetFileAttributesA("password.cpl"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(VerifyScreenSavePwd(0));
}

TEST(PasswordServicesTest, ThePasswordChangeIsBoundFromMpr) {
  EXPECT_TRUE(PwdChangePasswordA("SCRSAVE", 0));
  EXPECT_FALSE(PwdChangePasswordA("caf\xC3\xA9", 0));
}

}  // namespace
}  // namespace tarvex::platform::win32
