// The ANSI code page through the system under the Japanese locale (932).

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/ansi_text.h"

namespace tarvex::runtime {
namespace {

TEST(Win32AnsiCodePageTest, TheTestsRunWithCodePage932) {
  ASSERT_EQ(GetACP(), 932U) << "LANG/LC_ALL must be ja_JP.UTF-8";
}

struct RoundTrip {
  const char* name;
  std::string ansi;
  std::string text;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
  *os << c.name;
}

class Win32RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(Win32RoundTripTest, ConvertsBothWays) {
  EXPECT_EQ(AnsiToText(GetParam().ansi), GetParam().text);
  EXPECT_EQ(TextToAnsi(GetParam().text), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, Win32RoundTripTest,
    ::testing::Values(RoundTrip{"Ascii", "C:\\a~b.txt", "C:\\a~b.txt"},
                      RoundTrip{"Kanji", "\x93\xFA\x96\x7B\x8C\xEA", "日本語"},
                      RoundTrip{"BackslashTrailByte", "\x83\x5C\x83\x74\x83\x67", "ソフト"},
                      RoundTrip{"HalfWidthKana", "\xB1\xB2", "ｱｲ"},
                      RoundTrip{"FullWidthSpace", "\x81\x40", "\u3000"},
                      RoundTrip{"EmbeddedNul", std::string("a\0b", 3), std::string("a\0b", 3)},
                      RoundTrip{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class Win32RefusedTextTest : public ::testing::TestWithParam<const char*> {};

// Text the code page lacks is refused, never replaced by a look-alike.
TEST_P(Win32RefusedTextTest, IsNotConverted) {
  EXPECT_EQ(TextToAnsi(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cp932, Win32RefusedTextTest,
                         ::testing::Values("é", "¥", "a€", "😀", "\xC3", "\xED\xA0\x80"));

TEST(Win32AnsiCodePageTest, LossyConversionMarksWhatIsMissing) {
  EXPECT_EQ(TextToAnsiLossy("a¥b日"), "a?b\x93\xFA");
  EXPECT_EQ(TextToAnsiLossy("x\xC3y"), "x?y");
}

TEST(Win32AnsiCodePageTest, AStrayLeadByteKeepsTheLineEndAfterIt) {
  EXPECT_EQ(AnsiToText("a\x83\r\nb"), "a\uFFFD\r\nb");
  EXPECT_EQ(AnsiToText("\x83,x"), "\uFFFD,x");
  EXPECT_EQ(AnsiToText("x\x83"), "x\uFFFD");
}

TEST(Win32AnsiCodePageTest, AnUnassignedPairIsOneReplacement) {
  EXPECT_EQ(AnsiToText("a\x85\x40z"), "a\uFFFDz");
}

}  // namespace
}  // namespace tarvex::runtime
