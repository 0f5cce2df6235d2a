// basSysAPI: the settings file as Main and the dialog use it, with the real
// key names and read sizes.

#include "settings/basSysAPI.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_desktop.h"
#include "tests/unit/posix/scratch_dir.h"

namespace tarvex::basSysAPI {
namespace {

struct ReadCase {
  const char* name;
  std::string file;
  const char* key;
  std::int32_t size;
  std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.name;
}

class ReadIniValueTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadIniValueTest, ReadsWhatMainGets) {
  const ReadCase& c = GetParam();
  testing::ScratchDir dir;
  dir.Write("tarvex.ini", c.file);
  EXPECT_EQ(ReadIniValue("TARVEX", c.key, c.size, dir.File("tarvex.ini")), c.expected);
}

const std::string k250 = std::string(250, 'p');

// 明 is two bytes in CP932: fifteen of them take 30 bytes, so a buffer of 30
// holds fourteen.
const std::string kMin15 = [] {
  std::string text;
  for (int i = 0; i < 15; ++i) {
    text += "明";
  }
  return text;
}();

const ReadCase kCases[] = {
    {"TimeOfFour", "[TARVEX]\r\nTIME=4\r\n", "TIME", 6, "4"},
    {"TimeOfSixCharactersReadAsFive", "[TARVEX]\r\nTIME=0000004\r\n", "TIME", 6, "00000"},
    {"TimeWithFraction", "[TARVEX]\r\nTIME=2.9\r\n", "TIME", 6, "2.9"},
    {"FontSizeWithLeadingBlank", "[TARVEX]\r\nFONTSIZE= 12\r\n", "FONTSIZE", 6, "12"},
    {"FontSizeAsWrittenQuoted", "[TARVEX]\r\nFONTSIZE=\" 12\"\r\n", "FONTSIZE", 6, " 12"},
    {"FontSizeWithUnit", "[TARVEX]\r\nFONTSIZE=12pt\r\n", "FONTSIZE", 6, "12pt"},
    {"FontNameOf35BytesReadAs29", "[TARVEX]\r\nFONTNAME=" + std::string(35, 'F') + "\r\n",
     "FONTNAME", 30, std::string(29, 'F')},
    {"FontNameNeverHalfACharacter", "[TARVEX]\r\nFONTNAME=" + kMin15 + "\r\n", "FONTNAME", 30,
     kMin15.substr(0, std::size_t{14} * 3)},
    {"FontNameInCp932", "[TARVEX]\r\nFONTNAME=\x82\x6C\x82\x72 \x96\xBE\x92\xA9\r\n", "FONTNAME",
     30, "ＭＳ 明朝"},
    {"NegativeFontColor", "[TARVEX]\r\nFONTCOLOR=-2147483640\r\n", "FONTCOLOR", 50, "-2147483640"},
    {"PathOf250BytesReadAs199", "[TARVEX]\r\nFILE=" + k250 + "\r\n", "FILE", 200,
     std::string(199, 'p')},
    {"Mp3Path", "[TARVEX]\r\nMP3=/home/u/曲.mp3\r\n", "MP3", 200, "/home/u/曲.mp3"},
    {"SectionInLowerCase", "[tarvex]\r\nfile=/a.txt\r\n", "FILE", 200, "/a.txt"},
    {"ValueWithEqualsSign", "[TARVEX]\r\nFILE=/a=b.txt\r\n", "FILE", 200, "/a=b.txt"},
    {"MissingKey", "[TARVEX]\r\nTIME=4\r\n", "MP3", 200, ""},
    {"MissingSection", "[OTHER]\r\nTIME=4\r\n", "TIME", 6, ""},
    {"CutAtNulInTheFile", std::string("[TARVEX]\r\nFILE=/a\0b\r\n", 19), "FILE", 200, "/a"},
};
INSTANTIATE_TEST_SUITE_P(Keys, ReadIniValueTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadIniValue, NoSettingsFileGivesSixEmptyTexts) {
  testing::ScratchDir dir;
  for (const auto& [key, size] : {std::pair{"TIME", 6},
                                  {"FONTSIZE", 6},
                                  {"FONTNAME", 30},
                                  {"FONTCOLOR", 50},
                                  {"FILE", 200},
                                  {"MP3", 200}}) {
    EXPECT_EQ(ReadIniValue("TARVEX", key, size, dir.File("tarvex.ini")), "") << key;
  }
}

class TrimAtNulTest : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(TrimAtNulTest, KeepsThePartBeforeTheFirstNul) {
  EXPECT_EQ(TrimAtNul(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimAtNulTest,
    ::testing::Values(std::pair<std::string, std::string>{"abc", "abc"},
                      std::pair<std::string, std::string>{"", ""},
                      std::pair<std::string, std::string>{std::string("\0", 1), ""},
                      std::pair<std::string, std::string>{std::string("abc\0def", 7), "abc"},
                      std::pair<std::string, std::string>{std::string("a\0\0\0", 4), "a"},
                      std::pair<std::string, std::string>{std::string("明\0明", 7), "明"}));

TEST(WriteIniValue, TheDialogsValuesReadBack) {
  testing::ScratchDir dir;
  const std::string path = dir.File("tarvex.ini");
  ASSERT_TRUE(WriteIniValue("TARVEX", "FONTSIZE", " 24", path));
  ASSERT_TRUE(WriteIniValue("TARVEX", "FONTNAME", "ＭＳ Ｐ明朝", path));
  ASSERT_TRUE(WriteIniValue("TARVEX", "TIME", "3", path));
  ASSERT_TRUE(WriteIniValue("TARVEX", "TIME", "10", path));
  EXPECT_EQ(ReadIniValue("TARVEX", "FONTSIZE", 6, path), " 24");
  EXPECT_EQ(ReadIniValue("TARVEX", "FONTNAME", 30, path), "ＭＳ Ｐ明朝");
  EXPECT_EQ(ReadIniValue("TARVEX", "TIME", 6, path), "10");
}

TEST(WriteIniValue, FailureIsReportedAndTheFileKept) {
  testing::ScratchDir dir;
  const std::string before = "[TARVEX]\r\nTIME=4\r\n";
  dir.Write("tarvex.ini", before);
  std::filesystem::permissions(dir.File("tarvex.ini"), std::filesystem::perms(0444));
  EXPECT_FALSE(WriteIniValue("TARVEX", "TIME", "5", dir.File("tarvex.ini")));
  EXPECT_EQ(dir.Read("tarvex.ini"), before);
}

class ShowMouseCursorTest : public ::testing::TestWithParam<std::pair<std::int32_t, const char*>> {
};

TEST_P(ShowMouseCursorTest, AnyNonZeroFlagShows) {
  testing::FakeDesktop desktop;
  ShowMouseCursor(desktop, GetParam().first);
  EXPECT_EQ(desktop.calls, std::vector<std::string>{GetParam().second});
}

INSTANTIATE_TEST_SUITE_P(Flags, ShowMouseCursorTest,
                         ::testing::Values(std::pair{0, "ShowCursor(0)"},
                                           std::pair{1, "ShowCursor(1)"},
                                           std::pair{-1, "ShowCursor(1)"},
                                           std::pair{65536, "ShowCursor(1)"}));

}  // namespace
}  // namespace tarvex::basSysAPI
