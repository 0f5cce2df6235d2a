// The registry file, the registry functions and the password store over it,
// on files written at test time: values read back as written, the rest of a
// file kept byte for byte.

#include "platform/posix/password_store.h"
#include "platform/posix/registry_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "platform/registry.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::posix {
namespace {

const std::string kDesktop = "[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n";

std::string DesktopValueFile(std::string_view name, std::string_view data) {
  return "REGEDIT4\r\n\r\n" + kDesktop + "\"" + std::string(name) + "\"=" + std::string(data) +
         "\r\n";
}

// The registry functions find the file in the test's own directory.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_CONFIG_HOME", dir_.path().c_str(), 1); }
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }
  void WriteRegistry(std::string_view text) const { dir_.Write("tarvex/registry.reg", text); }

  testing::TempDir dir_;
};

RegistryKey OpenDesktop(std::int32_t expected = kErrorSuccess) {
  RegistryKey key = 7;
  EXPECT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "Control Panel\\desktop", 0, kKeyQueryValue, &key),
            expected);
  return key;
}

// What the saver does at start: open, query into a zeroed four-byte buffer
// with the type preset to REG_DWORD, close. The result, type, size and buffer.
using Query = std::tuple<std::int32_t, std::uint32_t, std::uint32_t, std::string>;
Query QueryDesktopValue(std::string_view name) {
  const RegistryKey key = OpenDesktop();
  std::uint32_t type = kRegDword;
  std::uint32_t size = 4;
  std::string data(4, '\0');
  const std::int32_t result =
      RegQueryValueExA(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  return {result, type, size, data};
}

// The data of value V under the desktop key, and the query's outcome.
class RegistryQuery
    : public RegistryTest,
      public ::testing::WithParamInterface<std::tuple<const char*, const char*, Query>> {};

TEST_P(RegistryQuery, HandsBackTheData) {
  WriteRegistry(DesktopValueFile("V", std::get<1>(GetParam())));
  EXPECT_EQ(QueryDesktopValue("V"), std::get<2>(GetParam()));
}

const std::string kUntouched(4, '\0');
const std::tuple<const char*, const char*, Query> kQueries[] = {
    {"BinaryOnContinuationLines",
     "hex:01,\\\r\n  00,00,\\\r\n  00",
     {kErrorSuccess, kRegBinary, 4, std::string("\x01\0\0\0", 4)}},
    {"BinaryTooLong", "hex:01,00,00,00,00", {kErrorMoreData, kRegBinary, 5, kUntouched}},
    {"DwordLittleEndian", "DWORD:12345678", {kErrorSuccess, kRegDword, 4, "\x78\x56\x34\x12"}},
    {"TextOfThreeCharacters", "\"abc\"", {kErrorSuccess, kRegSz, 4, std::string("abc\0", 4)}},
    {"TextOfFourCharacters", "\"abcd\"", {kErrorMoreData, kRegSz, 5, kUntouched}},
    {"TextEscapes", "\"\\\\\\\"\"", {kErrorSuccess, kRegSz, 3, std::string("\\\"\0\0", 4)}},
    {"TextAsAnsiBytes", "\"値\"", {kErrorSuccess, kRegSz, 3, std::string("\x92\x6C\0\0", 4)}},
    // A missing or unreadable value fails and leaves the type alone.
    {"BadDword", "dword:xyz", {kErrorFileNotFound, kRegDword, 4, kUntouched}},
    {"DwordOfNineDigits", "dword:100000000", {kErrorFileNotFound, kRegDword, 4, kUntouched}},
    {"BadHexByte", "hex:01,100", {kErrorFileNotFound, kRegDword, 4, kUntouched}},
    {"UnclosedText", "\"abc", {kErrorFileNotFound, kRegDword, 4, kUntouched}},
};
INSTANTIATE_TEST_SUITE_P(Values, RegistryQuery, ::testing::ValuesIn(kQueries), testing::CaseName());

TEST_F(RegistryTest, OpenNeedsTheFileTheKeyAndTheRootButNotTheCaseOfNames) {
  EXPECT_EQ(OpenDesktop(kErrorFileNotFound), 0u);
  WriteRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Other]\r\n");
  OpenDesktop(kErrorFileNotFound);
  WriteRegistry("REGEDIT4\n[hkey_current_user\\CONTROL PANEL\\Desktop]\n\"v\"=dword:1\n");
  RegistryKey key = 7;
  EXPECT_EQ(RegOpenKeyExA(0x80000002u, "Control Panel\\desktop", 0, kKeyQueryValue, &key),
            kErrorFileNotFound);
  EXPECT_EQ(std::get<0>(QueryDesktopValue("V")), kErrorSuccess);
  EXPECT_EQ(std::get<0>(QueryDesktopValue("Other")), kErrorFileNotFound);
}

const std::string kBefore = "REGEDIT4\r\n\r\n; kept as it is\r\n" + kDesktop +
                            "\"Other\"=\"x\"\r\n"
                            "\"ScreenSave_Data\"=hex:01,\\\r\n  02\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Other]\r\n"
                            "\"A\"=dword:00000002\r\n";

// Key, value name and value set; the file after is kBefore with the old text made the new.
using SetCase =
    std::tuple<const char*, std::string_view, const char*, RegistryValue, std::string, std::string>;
class RegistryFileSet : public RegistryTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(RegistryFileSet, ChangesOneValueOnly) {
  const auto& [name, key, value_name, value, old_text, new_text] = GetParam();
  std::filesystem::permissions(dir_.Write("r.reg", kBefore), std::filesystem::perms(0644));
  RegistryFile file;
  ASSERT_EQ(file.Load(dir_.File("r.reg")), RegistryFile::LoadResult::kLoaded);
  ASSERT_TRUE(file.Set(key, value_name, value));
  ASSERT_TRUE(file.Save(dir_.File("r.reg")));
  std::string after = kBefore;
  after.replace(after.find(old_text), old_text.size(), new_text);
  EXPECT_EQ(dir_.Read("r.reg"), after);
  EXPECT_EQ(dir_.Mode("r.reg"), 0600u) << "an existing file becomes private";
}

const SetCase kSets[] = {
    {"ReplaceValueAndItsContinuationLines", kDesktopKey, "ScreenSave_Data",
     RegistryValue::String("$y$j9T$salt$hash"), "=hex:01,\\\r\n  02\r\n",
     "=\"$y$j9T$salt$hash\"\r\n"},
    {"ReplaceMatchesNamesInAnyCase", "hkey_current_user\\other", "a",
     RegistryValue::Dword(0xABCDEF), "dword:00000002", "dword:00abcdef"},
    {"AppendAfterTheKeysLastValue", kDesktopKey, "ScreenSaveUsePassword", RegistryValue::Dword(1),
     "  02\r\n", "  02\r\n\"ScreenSaveUsePassword\"=dword:00000001\r\n"},
    {"NewKeyAtTheEnd", "HKEY_CURRENT_USER\\New", "",
     RegistryValue::Binary(std::string("\0\xFF", 2)), "\"A\"=dword:00000002\r\n",
     "\"A\"=dword:00000002\r\n\r\n[HKEY_CURRENT_USER\\New]\r\n@=hex:00,ff\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Edits, RegistryFileSet, ::testing::ValuesIn(kSets), testing::CaseName());

// The key's last value ends in a continuation that the file's end cut off.
TEST_F(RegistryTest, AValueThatADanglingContinuationWouldSwallowIsRefused) {
  const std::string bytes = "REGEDIT4\r\n\r\n" + kDesktop + "\"Blob\"=hex:00,02,\\\r\n";
  RegistryFile file;
  ASSERT_EQ(file.Load(dir_.Write("r.reg", bytes)), RegistryFile::LoadResult::kLoaded);
  EXPECT_FALSE(file.Set(kDesktopKey, "ScreenSaveUsePassword", RegistryValue::Dword(1)));
  ASSERT_TRUE(file.Save(dir_.File("r.reg")));
  EXPECT_EQ(dir_.Read("r.reg"), bytes);
}

class RegistryFileRoundTrip : public RegistryTest,
                              public ::testing::WithParamInterface<RegistryValue> {};

// A new file and its folder are private too.
TEST_P(RegistryFileRoundTrip, ReadsBackWhatWasSet) {
  RegistryFile written;
  EXPECT_EQ(written.Load(dir_.File("tarvex/r.reg")), RegistryFile::LoadResult::kMissing);
  ASSERT_TRUE(written.Set(kDesktopKey, "V", GetParam()));
  ASSERT_TRUE(written.Save(dir_.File("tarvex/r.reg")));
  EXPECT_EQ(dir_.Mode("tarvex/r.reg"), 0600u);
  EXPECT_EQ(dir_.Mode("tarvex"), 0700u);
  RegistryFile read;
  ASSERT_EQ(read.Load(dir_.File("tarvex/r.reg")), RegistryFile::LoadResult::kLoaded);
  const std::optional<RegistryValue> value = read.Get(kDesktopKey, "V");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, GetParam().type);
  EXPECT_EQ(value->QueryData(), GetParam().QueryData());
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryFileRoundTrip,
    ::testing::Values(RegistryValue::String(""), RegistryValue::String("a\"b\\c"),
                      RegistryValue::String("ＭＳ 明朝"), RegistryValue::Dword(0xFFFFFFFF),
                      RegistryValue::Binary(""),
                      RegistryValue::Binary(std::string("\0\x01\x7F\x80\xFF", 5)),
                      RegistryValue::Binary("ab", 7), RegistryValue::Binary("abc", kRegDword),
                      RegistryValue::Binary("xyz", 0x20000)));

TEST(RegistryFile, LineBreaksAreRefused) {
  RegistryFile file;
  EXPECT_FALSE(file.Set(kDesktopKey, "V", RegistryValue::String("a\n[HKEY_CURRENT_USER\\X]")));
  EXPECT_FALSE(file.Set(kDesktopKey, "V\r", RegistryValue::Dword(1)));
  EXPECT_FALSE(file.Set("HKEY_CURRENT_USER\\A\nB", "V", RegistryValue::Dword(1)));
  EXPECT_FALSE(file.HasKey(kDesktopKey));
}

TEST_F(RegistryTest, UnreadableFileFailsAndValuesBeforeAnyKeyBelongToNone) {
  std::filesystem::create_directory(dir_.File("dir.reg"));
  RegistryFile file;
  EXPECT_EQ(file.Load(dir_.File("dir.reg")), RegistryFile::LoadResult::kFailed);
  file.Load(dir_.Write("r.reg", "REGEDIT4\n\"V\"=dword:00000001\n[HKEY_CURRENT_USER\\A]\n"));
  EXPECT_TRUE(file.HasKey("HKEY_CURRENT_USER\\A"));
  EXPECT_FALSE(file.Get("HKEY_CURRENT_USER\\A", "V"));
}

using Result = PasswordStore::ChangeResult;

class PasswordStoreTest : public RegistryTest {
 protected:
  std::string Path() const { return dir_.File("tarvex/registry.reg"); }
  std::optional<RegistryValue> Stored(std::string_view name) const {
    RegistryFile file;
    file.Load(Path());
    return file.Get(kDesktopKey, name);
  }

  PasswordStore store_{Path()};
};

// Without a file no password is set and the empty one verifies.
TEST_F(PasswordStoreTest, StoresAFreshlySaltedYescryptHashInAPrivateFile) {
  EXPECT_TRUE(store_.Verify("") && !store_.HasPassword() && !store_.UsePassword());
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

TEST_F(RegistryTest, PasswordInAnUnwritableLocationReportsWriteFailed) {
  dir_.Write("tarvex", "a file where the directory should be");
  PasswordStore store(dir_.File("tarvex/registry.reg"));
  EXPECT_EQ(store.ChangePassword("", "secret"), Result::kWriteFailed);
  EXPECT_FALSE(store.SetUsePassword(true));
}

// The legacy method's hash of "12345678", which it gives for "12345678x" too;
// an unknown hash, or a file that cannot be read: nothing verifies or is overwritten.
TEST_F(RegistryTest, LegacyOrUnknownHashOrUnreadableFileAcceptsNoPassword) {
  std::filesystem::create_directory(dir_.File("dir.reg"));
  for (const std::string& path :
       {dir_.Write("des.reg", DesktopValueFile("ScreenSave_Data", "\"ab1iBa.N.U2C6\"")),
        dir_.Write("r.reg", DesktopValueFile("ScreenSave_Data", "hex:01,02")),
        dir_.File("dir.reg")}) {
    PasswordStore store(path);
    EXPECT_TRUE(store.HasPassword()) << path;
    for (const char* guess : {"", "12345678", "12345678x"}) EXPECT_FALSE(store.Verify(guess));
    EXPECT_NE(store.ChangePassword("", "x"), Result::kOk) << path;
  }
}

}  // namespace
}  // namespace tarvex::platform::posix
