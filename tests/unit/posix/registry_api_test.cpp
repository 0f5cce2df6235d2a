// The registry functions over a registry file written at test time.

#include <gtest/gtest.h>

#include <string>

#include "platform/posix/registry_file.h"
#include "platform/registry.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform {
namespace {

const std::string kDesktop = "[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n";

// Points the registry file at the test's own directory through XDG_CONFIG_HOME.
class RegistryApi : public ::testing::Test {
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

struct Query {
  std::int32_t query = -1;
  std::uint32_t type = kRegDword;
  std::uint32_t size = 0;
  std::string data;
};

// What the saver does at start: open, query into a zeroed buffer with the
// type preset to REG_DWORD, close.
Query QueryDesktopValue(std::string_view name, std::uint32_t buffer_size) {
  const RegistryKey key = OpenDesktop();
  Query result{.size = buffer_size, .data = std::string(buffer_size, '\0')};
  result.query = RegQueryValueExA(
      key, name, &result.type, reinterpret_cast<std::uint8_t*>(result.data.data()), &result.size);
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  return result;
}

struct ValueCase {
  const char* name;
  const char* data;  // of the value V under the desktop key
  std::int32_t query;
  std::uint32_t type;
  std::uint32_t size;
  std::string buffer;  // when the query succeeds
};
TARVEX_PRINT_CASE_AS_NAME(ValueCase)

class RegistryQuery : public RegistryApi, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryQuery, HandsBackTheData) {
  const ValueCase& c = GetParam();
  WriteRegistry("REGEDIT4\r\n\r\n" + kDesktop + "\"V\"=" + c.data + "\r\n");
  const Query result = QueryDesktopValue("V", 4);
  EXPECT_EQ(result.query, c.query);
  EXPECT_EQ(result.type, c.type);
  EXPECT_EQ(result.size, c.size);
  EXPECT_EQ(c.query == kErrorSuccess ? result.data : "", c.buffer);
}

const std::string kOne("\x01\0\0\0", 4);
const ValueCase kValues[] = {
    {"BinaryOne", "hex:01,00,00,00", kErrorSuccess, kRegBinary, 4, kOne},
    {"BinaryOnContinuationLines", "hex:01,\\\r\n  00,00,\\\r\n  00", kErrorSuccess, kRegBinary, 4,
     kOne},
    {"BinaryTooLong", "hex:01,00,00,00,00", kErrorMoreData, kRegBinary, 5, ""},
    {"DwordLittleEndian", "DWORD:12345678", kErrorSuccess, kRegDword, 4, "\x78\x56\x34\x12"},
    {"TextOfThreeCharacters", "\"abc\"", kErrorSuccess, kRegSz, 4, std::string("abc\0", 4)},
    {"TextOfFourCharacters", "\"abcd\"", kErrorMoreData, kRegSz, 5, ""},
    {"TextEscapes", "\"\\\\\\\"\"", kErrorSuccess, kRegSz, 3, std::string("\\\"\0\0", 4)},
    {"TextAsAnsiBytes", "\"値\"", kErrorSuccess, kRegSz, 3, std::string("\x92\x6C\0\0", 4)},
    // A missing or unreadable value fails and leaves the type alone.
    {"BadDword", "dword:xyz", kErrorFileNotFound, kRegDword, 4, ""},
    {"DwordOfNineDigits", "dword:100000000", kErrorFileNotFound, kRegDword, 4, ""},
    {"BadHexByte", "hex:01,100", kErrorFileNotFound, kRegDword, 4, ""},
    {"UnclosedText", "\"abc", kErrorFileNotFound, kRegDword, 4, ""},
};
INSTANTIATE_TEST_SUITE_P(Values, RegistryQuery, ::testing::ValuesIn(kValues),
                         tarvex::testing::CaseName());

using RegistryKeys = RegistryApi;

TEST_F(RegistryKeys, OpenNeedsTheFileTheKeyAndTheRootButNotTheCaseOfNames) {
  EXPECT_EQ(OpenDesktop(kErrorFileNotFound), 0u);
  WriteRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Other]\r\n");
  OpenDesktop(kErrorFileNotFound);
  WriteRegistry("REGEDIT4\n[hkey_current_user\\CONTROL PANEL\\Desktop]\n\"v\"=dword:1\n");
  RegistryKey key = 7;
  EXPECT_EQ(RegOpenKeyExA(0x80000002u, "Control Panel\\desktop", 0, kKeyQueryValue, &key),
            kErrorFileNotFound);
  EXPECT_EQ(QueryDesktopValue("V", 4).query, kErrorSuccess);
  EXPECT_EQ(QueryDesktopValue("Other", 4).query, kErrorFileNotFound);
}

TEST_F(RegistryKeys, HandlesAreDistinctAndFreedByClose) {
  WriteRegistry("REGEDIT4\n" + kDesktop + "\"V\"=\"abcdef\"\n");
  const RegistryKey first = OpenDesktop();
  const RegistryKey second = OpenDesktop();
  EXPECT_NE(first, second);
  EXPECT_EQ(RegCloseKey(first), kErrorSuccess);
  EXPECT_NE(RegCloseKey(first), kErrorSuccess);
  std::uint32_t size = 0;
  std::uint32_t type = 0;
  EXPECT_NE(RegQueryValueExA(first, "V", &type, nullptr, &size), kErrorSuccess);
  // Without a buffer the query reports the size.
  EXPECT_EQ(RegQueryValueExA(second, "V", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(RegCloseKey(second), kErrorSuccess);
}

TEST_F(RegistryKeys, ARelativeConfigFolderLeavesTheChoiceToHome) {
  const std::string saved_home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(posix::RegistryFilePath(), "/home/someone/.config/tarvex/registry.reg");
  ::setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace tarvex::platform
