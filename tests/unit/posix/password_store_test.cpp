// The screen-saver password kept in the registry file.

#include "platform/posix/password_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/posix/registry_file.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::posix {
namespace {

using Result = PasswordStore::ChangeResult;

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

  testing::TempDir dir_;
  PasswordStore store_{Path()};
};

TEST_F(PasswordStoreTest, WithoutAFileNoPasswordIsSet) {
  EXPECT_FALSE(store_.HasPassword());
  EXPECT_TRUE(store_.Verify(""));
  EXPECT_FALSE(store_.Verify("anything"));
  EXPECT_FALSE(store_.UsePassword());
  EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(PasswordStoreTest, StoresAFreshlySaltedYescryptHashInAPrivateFile) {
  ASSERT_EQ(store_.ChangePassword("", "secret"), Result::kOk);
  for (const char* wrong : {"Secret", "secret ", "secre", ""}) EXPECT_FALSE(store_.Verify(wrong));
  const std::optional<RegistryValue> hash = Stored("ScreenSave_Data");
  ASSERT_TRUE(hash);
  EXPECT_EQ(hash->type, kRegSz);
  EXPECT_TRUE(hash->text.starts_with("$y$")) << "not a yescrypt hash";
  EXPECT_EQ(dir_.Mode("tarvex/registry.reg"), 0600u);
  ASSERT_EQ(store_.ChangePassword("secret", "secret"), Result::kOk);
  EXPECT_NE(Stored("ScreenSave_Data")->text, hash->text);
  EXPECT_TRUE(store_.Verify("secret"));
}

TEST_F(PasswordStoreTest, OnlyTheRightOldPasswordChangesOrRemovesIt) {
  dir_.Write("tarvex/registry.reg", DesktopValueFile("Wallpaper", "\"a.bmp\""));
  ASSERT_EQ(store_.ChangePassword("", "secret"), Result::kOk);
  const std::string before = dir_.Read("tarvex/registry.reg");
  EXPECT_EQ(store_.ChangePassword("wrong", "other"), Result::kWrongOldPassword);
  EXPECT_EQ(store_.ChangePassword("", "other"), Result::kWrongOldPassword);
  EXPECT_EQ(dir_.Read("tarvex/registry.reg"), before);
  ASSERT_EQ(store_.ChangePassword("secret", "パスワード"), Result::kOk);
  EXPECT_TRUE(store_.Verify("パスワード"));
  EXPECT_FALSE(store_.Verify("secret"));
  ASSERT_EQ(store_.ChangePassword("パスワード", ""), Result::kOk);
  EXPECT_FALSE(store_.HasPassword());
  EXPECT_EQ(Stored("Wallpaper")->text, "a.bmp");
}

TEST_F(PasswordStoreTest, TooLongOrNulRefusedWithoutTruncating) {
  const std::string longest(PasswordStore::kMaxPasswordBytes, 'p');
  ASSERT_EQ(store_.ChangePassword("", longest), Result::kOk);
  EXPECT_FALSE(store_.Verify(longest + "p"));
  EXPECT_EQ(store_.ChangePassword(longest, longest + "p"), Result::kInvalidNewPassword);
  EXPECT_EQ(store_.ChangePassword(longest, std::string("ab\0cd", 5)), Result::kInvalidNewPassword);
  EXPECT_TRUE(store_.Verify(longest));
}

TEST_F(PasswordStoreTest, UsePasswordSwitchIsADword) {
  ASSERT_TRUE(store_.SetUsePassword(true));
  EXPECT_TRUE(store_.UsePassword());
  EXPECT_EQ(Stored("ScreenSaveUsePassword")->QueryData(), std::string("\x01\0\0\0", 4));
  ASSERT_TRUE(store_.SetUsePassword(false));
  EXPECT_FALSE(store_.UsePassword());
}

// As the saver's start reads it: at most four bytes, the first two not both zero.
TEST(UsePasswordRule, ReadsTheSwitchAsTheSaverDoes) {
  testing::TempDir dir;
  for (const auto& [data, use] : {std::pair{"hex:00,00,01,00", false},
                                  {"hex:00,01", true},
                                  {"\"1\"", true},
                                  {"\"abcd\"", false},
                                  {"\"\"", false},
                                  {"hex:01,00,00,00,00", false}}) {
    const std::string path = dir.Write("r.reg", DesktopValueFile("ScreenSaveUsePassword", data));
    EXPECT_EQ(PasswordStore(path).UsePassword(), use) << data;
  }
}

TEST(PasswordStoreFailure, UnwritableLocationReportsWriteFailed) {
  testing::TempDir dir;
  dir.Write("tarvex", "a file where the directory should be");
  PasswordStore store(dir.File("tarvex/registry.reg"));
  EXPECT_EQ(store.ChangePassword("", "secret"), Result::kWriteFailed);
  EXPECT_FALSE(store.SetUsePassword(true));
}

// The legacy method's hash of "12345678", which it gives for "12345678x" too;
// an unknown hash, or a file that cannot be read: nothing verifies or is overwritten.
TEST(PasswordStoreFailure, LegacyOrUnknownHashOrUnreadableFileAcceptsNothing) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.File("dir.reg"));
  for (const std::string& path :
       {dir.Write("des.reg", DesktopValueFile("ScreenSave_Data", "\"ab1iBa.N.U2C6\"")),
        dir.Write("r.reg", DesktopValueFile("ScreenSave_Data", "hex:01,02")),
        dir.File("dir.reg")}) {
    PasswordStore store(path);
    EXPECT_TRUE(store.HasPassword()) << path;
    for (const char* guess : {"", "12345678", "12345678x"}) EXPECT_FALSE(store.Verify(guess));
    EXPECT_NE(store.ChangePassword("", "x"), Result::kOk) << path;
  }
}

}  // namespace
}  // namespace tarvex::platform::posix
