// basSysAPI over the profile functions: what it adds to them. How sizes and
// code pages cut a value is the profile functions' own business.

#include "settings/basSysAPI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basSysAPI {
namespace {

TEST(ReadIniValue, GivesTheValueWithinTheSizeUpToItsNulAndEmptyWhenMissing) {
  const testing::TempDir dir;
  const std::string path =
      dir.Write("tarvex.ini", std::string("[TARVEX]\r\nTIME=0000004\r\nFILE=/a\0b\r\n", 35));
  EXPECT_EQ(ReadIniValue("TARVEX", "TIME", 6, path), "00000");
  EXPECT_EQ(ReadIniValue("TARVEX", "FILE", 200, path), "/a");
  EXPECT_EQ(ReadIniValue("TARVEX", "MP3", 200, path), "");
  EXPECT_EQ(ReadIniValue("TARVEX", "TIME", 6, dir.File("none.ini")), "");
}

TEST(TrimAtNul, KeepsThePartBeforeTheFirstNul) {
  EXPECT_EQ(TrimAtNul("abc"), "abc");
  EXPECT_EQ(TrimAtNul(std::string("a\0b\0", 4)), "a");
  EXPECT_EQ(TrimAtNul(std::string("\0", 1)), "");
}

TEST(WriteIniValue, StoresTheValueAndReportsAFailure) {
  const testing::TempDir dir;
  EXPECT_TRUE(WriteIniValue("TARVEX", "FONTNAME", "ＭＳ Ｐ明朝", dir.File("tarvex.ini")));
  EXPECT_EQ(ReadIniValue("TARVEX", "FONTNAME", 30, dir.File("tarvex.ini")), "ＭＳ Ｐ明朝");
  EXPECT_FALSE(WriteIniValue("TARVEX", "TIME", "5", dir.File("gone/tarvex.ini")));
}

TEST(ShowMouseCursor, AnyNonZeroFlagShows) {
  testing::FakeDesktop desktop;
  for (const int flag : {0, 1, -1, 65536}) ShowMouseCursor(desktop, flag);
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"ShowCursor(0)", "ShowCursor(1)",
                                                     "ShowCursor(1)", "ShowCursor(1)"}));
}

}  // namespace
}  // namespace tarvex::basSysAPI
