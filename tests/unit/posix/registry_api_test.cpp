// The registry functions over a registry file written at test time.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/registry_file.h"
#include "platform/registry.h"
#include "tests/unit/posix/registry_env.h"

namespace tarvex::platform {
namespace {

constexpr const char* kDesktop = "[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n";

struct Query {
  std::int32_t open = -1;
  std::int32_t query = -1;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::string data;
};

// What the saver does at start: open, query into a zeroed buffer with the
// type preset to REG_DWORD, close.
Query QueryDesktopValue(std::string_view name, std::uint32_t buffer_size) {
  Query result;
  RegistryKey key = 0;
  result.open = RegOpenKeyExA(kHkeyCurrentUser, "Control Panel\\desktop", 0, kKeyQueryValue, &key);
  if (result.open != kErrorSuccess) {
    return result;
  }
  std::vector<std::uint8_t> buffer(buffer_size, 0);
  result.type = kRegDword;
  result.size = buffer_size;
  result.query = RegQueryValueExA(key, name, &result.type, buffer.data(), &result.size);
  result.data.assign(buffer.begin(), buffer.end());
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  return result;
}

struct ValueCase {
  const char* name;
  const char* line;  // the value line(s) under the desktop key
  std::uint32_t buffer;
  std::int32_t query;
  std::uint32_t type;
  std::uint32_t size;
  std::string data;  // the whole buffer, when the query succeeds
};

void PrintTo(const ValueCase& c, std::ostream* out) {
  *out << c.name;
}

class RegistryQuery : public testing::RegistryEnvironment,
                      public ::testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryQuery, HandsBackTheData) {
  const ValueCase& c = GetParam();
  WriteRegistry(std::string("REGEDIT4\r\n\r\n") + kDesktop + c.line + "\r\n");
  const Query result = QueryDesktopValue("ScreenSaveUsePassword", c.buffer);
  ASSERT_EQ(result.open, kErrorSuccess);
  EXPECT_EQ(result.query, c.query);
  EXPECT_EQ(result.type, c.type);
  EXPECT_EQ(result.size, c.size);
  if (c.query == kErrorSuccess) {
    EXPECT_EQ(result.data, c.data);
  }
}

const ValueCase kValues[] = {
    {"BinaryOne", "\"ScreenSaveUsePassword\"=hex:01,00,00,00", 4, kErrorSuccess, kRegBinary, 4,
     std::string("\x01\0\0\0", 4)},
    {"BinaryThirdByte", "\"ScreenSaveUsePassword\"=hex:00,00,01,00", 4, kErrorSuccess, kRegBinary,
     4, std::string("\0\0\x01\0", 4)},
    {"BinaryOnContinuationLines", "\"ScreenSaveUsePassword\"=hex:01,\\\r\n  00,00,\\\r\n  00", 4,
     kErrorSuccess, kRegBinary, 4, std::string("\x01\0\0\0", 4)},
    {"BinaryTooLong", "\"ScreenSaveUsePassword\"=hex:01,00,00,00,00", 4, kErrorMoreData, kRegBinary,
     5, ""},
    {"BinaryEmpty", "\"ScreenSaveUsePassword\"=hex:", 4, kErrorSuccess, kRegBinary, 0,
     std::string(4, '\0')},
    {"Dword", "\"ScreenSaveUsePassword\"=dword:00000001", 4, kErrorSuccess, kRegDword, 4,
     std::string("\x01\0\0\0", 4)},
    {"DwordLittleEndian", "\"ScreenSaveUsePassword\"=DWORD:12345678", 4, kErrorSuccess, kRegDword,
     4, "\x78\x56\x34\x12"},
    {"TypedHex", "\"ScreenSaveUsePassword\"=hex(4):01,00,00,00", 4, kErrorSuccess, kRegDword, 4,
     std::string("\x01\0\0\0", 4)},
    {"TextOfOneCharacter", "\"ScreenSaveUsePassword\"=\"1\"", 4, kErrorSuccess, kRegSz, 2,
     std::string("1\0\0\0", 4)},
    {"TextOfThreeCharacters", "\"ScreenSaveUsePassword\"=\"abc\"", 4, kErrorSuccess, kRegSz, 4,
     std::string("abc\0", 4)},
    {"EmptyText", "\"ScreenSaveUsePassword\"=\"\"", 4, kErrorSuccess, kRegSz, 1,
     std::string("\0\0\0\0", 4)},
    {"TextOfFourCharacters", "\"ScreenSaveUsePassword\"=\"abcd\"", 4, kErrorMoreData, kRegSz, 5,
     ""},
    {"TextEscapes", "\"ScreenSaveUsePassword\"=\"a\\\\\\\"b\"", 8, kErrorSuccess, kRegSz, 5,
     std::string("a\\\"b\0\0\0\0", 8)},
    {"TextAsAnsiBytes", "\"ScreenSaveUsePassword\"=\"値\"", 4, kErrorSuccess, kRegSz, 3,
     std::string("\x92\x6C\0\0", 4)},
    {"NameInOtherCase", "\"screensaveusepassword\"=dword:00000002", 4, kErrorSuccess, kRegDword, 4,
     std::string("\x02\0\0\0", 4)},
    {"FirstOfTwoWins", "\"ScreenSaveUsePassword\"=dword:3\r\n\"ScreenSaveUsePassword\"=dword:4", 4,
     kErrorSuccess, kRegDword, 4, std::string("\x03\0\0\0", 4)},
};
INSTANTIATE_TEST_SUITE_P(Values, RegistryQuery, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

// Missing or unreadable values: the query fails, the type is left alone.
const ValueCase kMissing[] = {
    {"NoSuchValue", "\"Other\"=dword:00000001", 4, kErrorFileNotFound, kRegDword, 4, ""},
    {"Deleted", "\"ScreenSaveUsePassword\"=-", 4, kErrorFileNotFound, kRegDword, 4, ""},
    {"BadDword", "\"ScreenSaveUsePassword\"=dword:xyz", 4, kErrorFileNotFound, kRegDword, 4, ""},
    {"DwordOfNineDigits", "\"ScreenSaveUsePassword\"=dword:100000000", 4, kErrorFileNotFound,
     kRegDword, 4, ""},
    {"BadHexByte", "\"ScreenSaveUsePassword\"=hex:01,100", 4, kErrorFileNotFound, kRegDword, 4, ""},
    {"UnclosedText", "\"ScreenSaveUsePassword\"=\"abc", 4, kErrorFileNotFound, kRegDword, 4, ""},
    {"CommentedOut", ";\"ScreenSaveUsePassword\"=dword:00000001", 4, kErrorFileNotFound, kRegDword,
     4, ""},
};
INSTANTIATE_TEST_SUITE_P(Missing, RegistryQuery, ::testing::ValuesIn(kMissing),
                         [](const auto& info) { return std::string(info.param.name); });

class RegistryKeys : public testing::RegistryEnvironment {};

TEST_F(RegistryKeys, AbsentFileFailsTheOpen) {
  EXPECT_EQ(QueryDesktopValue("ScreenSaveUsePassword", 4).open, kErrorFileNotFound);
}

TEST_F(RegistryKeys, FileWithoutTheKeyFailsTheOpen) {
  WriteRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Other]\r\n");
  EXPECT_EQ(QueryDesktopValue("ScreenSaveUsePassword", 4).open, kErrorFileNotFound);
}

TEST_F(RegistryKeys, KeyPathInOtherCaseOpens) {
  WriteRegistry(
      "REGEDIT4\n[hkey_current_user\\CONTROL PANEL\\Desktop]\n\"ScreenSaveUsePassword\"=dword:1\n");
  const Query result = QueryDesktopValue("ScreenSaveUsePassword", 4);
  EXPECT_EQ(result.open, kErrorSuccess);
  EXPECT_EQ(result.query, kErrorSuccess);
}

TEST_F(RegistryKeys, OtherRootsHoldNothing) {
  WriteRegistry(std::string("REGEDIT4\n") + kDesktop);
  RegistryKey key = 7;
  EXPECT_EQ(RegOpenKeyExA(0x80000002u, "Control Panel\\desktop", 0, kKeyQueryValue, &key),
            kErrorFileNotFound);
  EXPECT_EQ(key, 0u);
}

TEST_F(RegistryKeys, HandlesAreDistinctAndFreedByClose) {
  WriteRegistry(std::string("REGEDIT4\n") + kDesktop + "\"V\"=dword:00000001\n");
  RegistryKey first = 0;
  RegistryKey second = 0;
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "Control Panel\\desktop", 0, kKeyQueryValue, &first),
            kErrorSuccess);
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "Control Panel\\desktop", 0, kKeyQueryValue, &second),
            kErrorSuccess);
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(RegCloseKey(first), kErrorSuccess);
  EXPECT_NE(RegCloseKey(first), kErrorSuccess);
  std::uint32_t size = 4;
  std::uint8_t data[4] = {};
  EXPECT_NE(RegQueryValueExA(first, "V", nullptr, data, &size), kErrorSuccess);
  EXPECT_EQ(RegQueryValueExA(second, "V", nullptr, data, &size), kErrorSuccess);
  EXPECT_EQ(RegCloseKey(second), kErrorSuccess);
}

TEST_F(RegistryKeys, QueryWithoutBufferReportsTheSize) {
  WriteRegistry(std::string("REGEDIT4\n") + kDesktop + "\"V\"=\"abcdef\"\n");
  RegistryKey key = 0;
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "Control Panel\\desktop", 0, kKeyQueryValue, &key),
            kErrorSuccess);
  std::uint32_t size = 0;
  std::uint32_t type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "V", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(type, kRegSz);
  RegCloseKey(key);
}

TEST_F(RegistryKeys, TheFileIsReadFromTheEnvironmentAtEachOpen) {
  EXPECT_EQ(posix::RegistryFilePath(), RegistryPath());
  WriteRegistry(std::string("REGEDIT4\n") + kDesktop + "\"ScreenSaveUsePassword\"=dword:1\n");
  EXPECT_EQ(QueryDesktopValue("ScreenSaveUsePassword", 4).query, kErrorSuccess);
  ::setenv("XDG_CONFIG_HOME", dir_.File("elsewhere").c_str(), 1);
  EXPECT_EQ(QueryDesktopValue("ScreenSaveUsePassword", 4).open, kErrorFileNotFound);
}

TEST_F(RegistryKeys, RelativeConfigHomeFallsBackToHome) {
  const char* home = std::getenv("HOME");
  const std::string saved_home = home != nullptr ? home : "";
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(posix::RegistryFilePath(), "/home/someone/.config/tarvex/registry.reg");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(posix::RegistryFilePath(), "/home/someone/.config/tarvex/registry.reg");
  ::setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace tarvex::platform
