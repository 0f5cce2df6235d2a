// basSysAPI over the profile functions: what it adds to them. How sizes and
// code pages cut a value is the profile functions' own business.

#include "settings/basSysAPI.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

TEST(ReadIniValue, GivesTheValueUpToItsNulAndEmptyWhenMissing) {
  using tarvex::basSysAPI::ReadIniValue;
  using namespace std::string_literals;
  const tarvex::testing::TempDir dir;
  const std::string path = dir.Write("tarvex.ini", "[TARVEX]\r\nFILE=/a\0b\r\nMP3=\0c\r\n"s);
  EXPECT_EQ(ReadIniValue("TARVEX", "FILE", 200, path), "/a");
  EXPECT_EQ(ReadIniValue("TARVEX", "MP3", 200, path), "");
  EXPECT_EQ(ReadIniValue("TARVEX", "TIME", 200, path), "");
  EXPECT_EQ(ReadIniValue("TARVEX", "FILE", 6, dir.File("none.ini")), "");
}
