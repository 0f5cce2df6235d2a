// Changing values of the registry file: the rest of the file kept byte for
// byte, new keys and files, values read back as written.

#include "platform/posix/registry_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::posix {
namespace {

const std::string kBefore =
    "REGEDIT4\r\n\r\n; kept as it is\r\n"
    "[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n"
    "\"Other\"=\"x\"\r\n"
    "\"ScreenSave_Data\"=hex:01,\\\r\n  02\r\n\r\n"
    "[HKEY_CURRENT_USER\\Other]\r\n"
    "\"A\"=dword:00000002\r\n";

// The file after the change is the one before with `old_text` made `new_text`.
struct SetCase {
  const char* name;
  const char* key;
  const char* value_name;
  RegistryValue value;
  std::string old_text;
  std::string new_text;
};
TARVEX_PRINT_CASE_AS_NAME(SetCase)

class RegistryFileSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(RegistryFileSet, ChangesOneValueOnly) {
  const SetCase& c = GetParam();
  testing::TempDir dir;
  std::filesystem::permissions(dir.Write("r.reg", kBefore), std::filesystem::perms(0644));
  RegistryFile file;
  ASSERT_EQ(file.Load(dir.File("r.reg")), RegistryFile::LoadResult::kLoaded);
  ASSERT_TRUE(file.Set(c.key, c.value_name, c.value));
  ASSERT_TRUE(file.Save(dir.File("r.reg")));
  std::string after = kBefore;
  after.replace(after.find(c.old_text), c.old_text.size(), c.new_text);
  EXPECT_EQ(dir.Read("r.reg"), after);
  EXPECT_EQ(dir.Mode("r.reg"), 0600u) << "an existing file becomes private";
}

const char* const kDesktopPath = "HKEY_CURRENT_USER\\Control Panel\\desktop";
const SetCase kSets[] = {
    {"ReplaceValueAndItsContinuationLines", kDesktopPath, "ScreenSave_Data",
     RegistryValue::String("$y$j9T$salt$hash"), "=hex:01,\\\r\n  02\r\n",
     "=\"$y$j9T$salt$hash\"\r\n"},
    {"ReplaceMatchesNamesInAnyCase", "hkey_current_user\\other", "a",
     RegistryValue::Dword(0xABCDEF), "dword:00000002", "dword:00abcdef"},
    {"AppendAfterTheKeysLastValue", kDesktopPath, "ScreenSaveUsePassword", RegistryValue::Dword(1),
     "  02\r\n", "  02\r\n\"ScreenSaveUsePassword\"=dword:00000001\r\n"},
    {"NewKeyAtTheEnd", "HKEY_CURRENT_USER\\New", "",
     RegistryValue::Binary(std::string("\0\xFF", 2)), "\"A\"=dword:00000002\r\n",
     "\"A\"=dword:00000002\r\n\r\n[HKEY_CURRENT_USER\\New]\r\n@=hex:00,ff\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Edits, RegistryFileSet, ::testing::ValuesIn(kSets),
                         tarvex::testing::CaseName());

class RegistryFileRoundTrip : public ::testing::TestWithParam<RegistryValue> {};

// A new file and its folder are private too.
TEST_P(RegistryFileRoundTrip, ReadsBackWhatWasSet) {
  testing::TempDir dir;
  RegistryFile written;
  EXPECT_EQ(written.Load(dir.File("tarvex/r.reg")), RegistryFile::LoadResult::kMissing);
  ASSERT_TRUE(written.Set(kDesktopKey, "V", GetParam()));
  ASSERT_TRUE(written.Save(dir.File("tarvex/r.reg")));
  EXPECT_EQ(dir.Mode("tarvex/r.reg"), 0600u);
  EXPECT_EQ(dir.Mode("tarvex"), 0700u);
  RegistryFile read;
  ASSERT_EQ(read.Load(dir.File("tarvex/r.reg")), RegistryFile::LoadResult::kLoaded);
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

TEST(RegistryFile, UnreadableFileFailsAndValuesBeforeAnyKeyBelongToNone) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.File("dir.reg"));
  RegistryFile file;
  EXPECT_EQ(file.Load(dir.File("dir.reg")), RegistryFile::LoadResult::kFailed);
  file.Load(dir.Write("r.reg", "REGEDIT4\n\"V\"=dword:00000001\n[HKEY_CURRENT_USER\\A]\n"));
  EXPECT_TRUE(file.HasKey("HKEY_CURRENT_USER\\A"));
  EXPECT_FALSE(file.Get("HKEY_CURRENT_USER\\A", "V"));
}

}  // namespace
}  // namespace tarvex::platform::posix
