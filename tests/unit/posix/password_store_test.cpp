// The screen-saver password kept in the registry file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/posix/password_store.h"
#include "platform/posix/registry_file.h"
#include "tests/support/case_name.h"
#include "tests/unit/posix/scratch_dir.h"

namespace tarvex::platform::posix {
namespace {

namespace fs = std::filesystem;

using Result = PasswordStore::ChangeResult;

// A registry file holding one value under the desktop key.
std::string DesktopValueFile(std::string_view name, std::string_view data) {
  return "REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\desktop]\n\"" + std::string(name) +
         "\"=" + std::string(data) + "\n";
}

class PasswordStoreTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_.File("tarvex/registry.reg"); }

  std::optional<RegistryValue> Stored(std::string_view name) const {
    RegistryFile file;
    file.Load(Path());
    return file.Get(kDesktopKey, name);
  }

  testing::ScratchDir dir_;
  PasswordStore store_{Path()};
};

TEST_F(PasswordStoreTest, WithoutAFileNoPasswordIsSet) {
  EXPECT_FALSE(store_.HasPassword());
  EXPECT_TRUE(store_.Verify(""));
  EXPECT_FALSE(store_.Verify("anything"));
  EXPECT_FALSE(store_.UsePassword());
  EXPECT_FALSE(fs::exists(Path()));
}

TEST_F(PasswordStoreTest, StoresAFreshlySaltedYescryptHashInAPrivateFile) {
  ASSERT_EQ(store_.ChangePassword("", "secret"), Result::kOk);
  for (const char* wrong : {"Secret", "secret ", "secre", ""}) EXPECT_FALSE(store_.Verify(wrong));
  const std::optional<RegistryValue> hash = Stored("ScreenSave_Data");
  ASSERT_TRUE(hash);
  EXPECT_EQ(hash->type, kRegSz);
  EXPECT_TRUE(hash->text.starts_with("$y$")) << "not a yescrypt hash";
  EXPECT_EQ(hash->text.find("secret"), std::string::npos);
  EXPECT_EQ(dir_.Mode("tarvex/registry.reg"), 0600u);
  ASSERT_EQ(store_.ChangePassword("secret", "secret"), Result::kOk);
  EXPECT_NE(Stored("ScreenSave_Data")->text, hash->text);
  EXPECT_TRUE(store_.Verify("secret"));
}

TEST_F(PasswordStoreTest, WrongOldPasswordChangesNothing) {
  ASSERT_EQ(store_.ChangePassword("", "secret"), Result::kOk);
  const std::string before = dir_.Read("tarvex/registry.reg");
  EXPECT_EQ(store_.ChangePassword("wrong", "other"), Result::kWrongOldPassword);
  EXPECT_EQ(store_.ChangePassword("", "other"), Result::kWrongOldPassword);
  EXPECT_EQ(dir_.Read("tarvex/registry.reg"), before);
  EXPECT_TRUE(store_.Verify("secret"));
}

TEST_F(PasswordStoreTest, RightOldPasswordChangesOrRemovesIt) {
  ASSERT_EQ(store_.ChangePassword("", "secret"), Result::kOk);
  ASSERT_EQ(store_.ChangePassword("secret", "パスワード"), Result::kOk);
  EXPECT_TRUE(store_.Verify("パスワード"));
  EXPECT_FALSE(store_.Verify("secret"));
  ASSERT_EQ(store_.ChangePassword("パスワード", ""), Result::kOk);
  EXPECT_FALSE(store_.HasPassword());
  EXPECT_TRUE(store_.Verify(""));
}

TEST_F(PasswordStoreTest, TooLongOrNulRefusedWithoutTruncating) {
  const std::string longest(PasswordStore::kMaxPasswordBytes, 'p');
  ASSERT_EQ(store_.ChangePassword("", longest), Result::kOk);
  EXPECT_TRUE(store_.Verify(longest));
  EXPECT_FALSE(store_.Verify(longest + "p"));
  EXPECT_EQ(store_.ChangePassword(longest, longest + "p"), Result::kInvalidNewPassword);
  EXPECT_TRUE(store_.Verify(longest));
  EXPECT_EQ(store_.ChangePassword(longest, std::string("ab\0cd", 5)), Result::kInvalidNewPassword);
}

TEST_F(PasswordStoreTest, OtherValuesOfTheFileAreKept) {
  const std::string other =
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\desktop]\n\"Wallpaper\"=\"a.bmp\"\n";
  dir_.Write("tarvex/registry.reg", other);
  ASSERT_EQ(store_.ChangePassword("", "secret"), Result::kOk);
  const std::string after = dir_.Read("tarvex/registry.reg");
  EXPECT_TRUE(after.starts_with(other)) << after;
  EXPECT_EQ(Stored("Wallpaper")->text, "a.bmp");
}

TEST_F(PasswordStoreTest, UsePasswordSwitch) {
  ASSERT_TRUE(store_.SetUsePassword(true));
  EXPECT_TRUE(store_.UsePassword());
  EXPECT_EQ(Stored("ScreenSaveUsePassword")->QueryData(), std::string("\x01\0\0\0", 4));
  ASSERT_TRUE(store_.SetUsePassword(false));
  EXPECT_FALSE(store_.UsePassword());
  EXPECT_EQ(dir_.Mode("tarvex/registry.reg"), 0600u);
}

struct SwitchCase {
  const char* name;
  const char* line;
  bool use;
};

TARVEX_PRINT_CASE_AS_NAME(SwitchCase)

class UsePasswordRule : public ::testing::TestWithParam<SwitchCase> {};

// The same rule as the saver's start: data of at most four bytes whose first
// two are not both zero.
TEST_P(UsePasswordRule, ReadsTheSwitchAsTheSaverDoes) {
  testing::ScratchDir dir;
  const std::string path =
      dir.Write("r.reg", DesktopValueFile("ScreenSaveUsePassword", GetParam().line));
  EXPECT_EQ(PasswordStore(path).UsePassword(), GetParam().use);
}

const SwitchCase kSwitches[] = {
    {"DwordOne", "dword:00000001", true},
    {"DwordZero", "dword:00000000", false},
    {"HighBytesOnly", "hex:00,00,01,00", false},
    {"SecondByte", "hex:00,01", true},
    {"ShortText", "\"1\"", true},
    {"EmptyText", "\"\"", false},
    {"LongText", "\"abcd\"", false},
    {"FiveBytes", "hex:01,00,00,00,00", false},
};
INSTANTIATE_TEST_SUITE_P(Values, UsePasswordRule, ::testing::ValuesIn(kSwitches),
                         tarvex::testing::CaseName());

class PasswordStoreFailure : public ::testing::Test {
 protected:
  testing::ScratchDir dir_;
};

TEST_F(PasswordStoreFailure, UnwritableLocationReportsWriteFailed) {
  dir_.Write("tarvex", "a file where the directory should be");
  PasswordStore store(dir_.File("tarvex/registry.reg"));
  EXPECT_EQ(store.ChangePassword("", "secret"), Result::kWriteFailed);
  EXPECT_FALSE(store.SetUsePassword(true));
}

TEST_F(PasswordStoreFailure, LegacyOrForeignHashAcceptsNothing) {
  dir_.Write("r.reg", DesktopValueFile("ScreenSave_Data", "\"ab1iBa.N.U2C6\""));
  PasswordStore store(dir_.File("r.reg"));
  EXPECT_TRUE(store.HasPassword());
  // The legacy method's hash of "12345678", which it also gives for "12345678x".
  EXPECT_FALSE(store.Verify("12345678"));
  EXPECT_FALSE(store.Verify("12345678x"));
  EXPECT_FALSE(store.Verify(""));
}

// A hash this store cannot check, or a file it cannot read: a password is
// set, nothing verifies, and nothing is overwritten.
TEST_F(PasswordStoreFailure, UnknownHashOrUnreadableFileAcceptsNothing) {
  fs::create_directory(dir_.File("dir.reg"));
  for (const std::string& path :
       {dir_.Write("r.reg", DesktopValueFile("ScreenSave_Data", "hex:01,02")),
        dir_.File("dir.reg")}) {
    PasswordStore store(path);
    EXPECT_TRUE(store.HasPassword()) << path;
    EXPECT_FALSE(store.Verify("")) << path;
    EXPECT_EQ(store.ChangePassword("", "x"), Result::kWriteFailed) << path;
  }
}

}  // namespace
}  // namespace tarvex::platform::posix
