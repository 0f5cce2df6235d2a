// The registry functions over the system's own, with the password switch as
// the program reads it: a 4-byte buffer, whatever the value's type.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "platform/registry.h"

namespace tarvex::platform {
namespace {

constexpr const char* kTestKey = "Software\\tarvex-tests\\desktop";

struct StoredValue {
  const char* name;
  DWORD type;
  std::string data;
  std::int32_t status;       // what the 4-byte query returns
  std::string expectedData;  // the buffer's bytes after it
};

void PrintTo(const StoredValue& c, std::ostream* os) {
  *os << c.name;
}

class Win32RegistryTest : public ::testing::TestWithParam<StoredValue> {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const StoredValue& v = GetParam();
    RegSetValueExA(key, "ScreenSaveUsePassword", 0, v.type,
                   reinterpret_cast<const BYTE*>(v.data.data()), static_cast<DWORD>(v.data.size()));
    ::RegCloseKey(key);
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
};

TEST_P(Win32RegistryTest, QueriesIntoFourBytes) {
  RegistryKey key = 0;
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, kTestKey, 0, kKeyQueryValue, &key), kErrorSuccess);
  EXPECT_NE(key, 0U);
  std::array<std::uint8_t, 4> data{};
  std::uint32_t type = kRegDword;
  std::uint32_t size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "ScreenSaveUsePassword", &type, data.data(), &size),
            GetParam().status);
  if (GetParam().status == kErrorSuccess) {
    EXPECT_EQ(std::string(data.begin(), data.end()), GetParam().expectedData);
    EXPECT_EQ(type, GetParam().type);
  }
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Win32RegistryTest,
    ::testing::Values(StoredValue{"DwordOne", REG_DWORD, std::string("\1\0\0\0", 4), kErrorSuccess,
                                  std::string("\1\0\0\0", 4)},
                      StoredValue{"HighBytesOnly", REG_BINARY, std::string("\0\0\1\0", 4),
                                  kErrorSuccess, std::string("\0\0\1\0", 4)},
                      StoredValue{"ShortText", REG_SZ, std::string("ab\0", 3), kErrorSuccess,
                                  std::string("ab\0\0", 4)},
                      StoredValue{"TextTooLong", REG_SZ, std::string("abcd\0", 5), kErrorMoreData,
                                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Win32RegistryMissingTest, AMissingKeyOrValueIsFileNotFound) {
  RegistryKey key = 7;
  EXPECT_EQ(
      RegOpenKeyExA(kHkeyCurrentUser, "Software\\tarvex-tests\\none", 0, kKeyQueryValue, &key),
      kErrorFileNotFound);
  EXPECT_EQ(key, 0U);
  ASSERT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "Software", 0, kKeyQueryValue, &key), kErrorSuccess);
  std::array<std::uint8_t, 4> data{};
  std::uint32_t type = kRegDword;
  std::uint32_t size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "tarvex-no-such-value", &type, data.data(), &size),
            kErrorFileNotFound);
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(RegOpenKeyExA(kHkeyCurrentUser, "caf\xC3\xA9", 0, kKeyQueryValue, &key),
            kErrorFileNotFound);
}

}  // namespace
}  // namespace tarvex::platform
