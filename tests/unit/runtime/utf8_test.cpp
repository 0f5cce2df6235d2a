#include "runtime/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvex::runtime {
namespace {

TEST(DecodeUtf8CharTest, ValidCharacters) {
  const auto a = DecodeUtf8Char("a", 0);
  EXPECT_TRUE(a.valid);
  EXPECT_EQ(a.code, U'a');
  EXPECT_EQ(a.length, 1u);
  const auto kanji = DecodeUtf8Char("x日", 1);
  EXPECT_TRUE(kanji.valid);
  EXPECT_EQ(kanji.code, U'日');
  EXPECT_EQ(kanji.length, 3u);
  const auto emoji = DecodeUtf8Char("\U0001F600", 0);
  EXPECT_TRUE(emoji.valid);
  EXPECT_EQ(emoji.code, U'\U0001F600');
  EXPECT_EQ(emoji.length, 4u);
  EXPECT_EQ(DecodeUtf8Char("\u00E9", 0).length, 2u);
  EXPECT_EQ(DecodeUtf8Char("\U0010FFFF", 0).code, U'\U0010FFFF');
}

struct BadCase {
  std::string bytes;
  std::size_t length;
};

class DecodeUtf8BadTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(DecodeUtf8BadTest, SpansTheBadStretchOnly) {
  const auto c = DecodeUtf8Char(GetParam().bytes, 0);
  EXPECT_FALSE(c.valid);
  EXPECT_EQ(c.code, kReplacementCharacter);
  EXPECT_EQ(c.length, GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(Strict, DecodeUtf8BadTest,
                         ::testing::Values(BadCase{"\x80", 1}, BadCase{"\xBF", 1},
                                           BadCase{"\xC0\xAF", 1}, BadCase{"\xC1\xBF", 1},
                                           BadCase{"\xE0\x80\x80", 1}, BadCase{"\xED\xA0\x80", 1},
                                           BadCase{"\xF0\x80\x80\x80", 1},
                                           BadCase{"\xF4\x90\x80\x80", 1}, BadCase{"\xF5\x80", 1},
                                           BadCase{"\xFF", 1}, BadCase{"\xE6\x97", 2},
                                           BadCase{"\xE6\x97"
                                                   "a",
                                                   2},
                                           BadCase{"\xF0\x9F\x98", 3},
                                           BadCase{"\xC3"
                                                   "a",
                                                   1}));

TEST(Utf8Test, AppendUtf8RoundTrips) {
  for (const char32_t code :
       {U'\0', U'a', U'\u00E9', U'\u65E5', U'\uFFFD', U'\U0001F600', U'\U0010FFFF'}) {
    std::string out;
    AppendUtf8(out, code);
    const auto c = DecodeUtf8Char(out, 0);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.code, code);
    EXPECT_EQ(c.length, out.size());
  }
  std::string out;
  AppendUtf8(out, 0xD800);
  AppendUtf8(out, 0x110000);
  EXPECT_EQ(out, "\uFFFD\uFFFD");
}

TEST(Utf8Test, ValidityAndSanitizing) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("abc 日本語 \U0001F600"));
  EXPECT_FALSE(IsValidUtf8("abc\xFF"));
  EXPECT_FALSE(IsValidUtf8("\x93\xFA\x96\x7B"));
  EXPECT_EQ(SanitizeUtf8("日本語"), "日本語");
  EXPECT_EQ(SanitizeUtf8("a\xE6\x97"), "a\uFFFD");
  EXPECT_EQ(SanitizeUtf8("\xC0\x80z"), "\uFFFD\uFFFDz");
  EXPECT_EQ(SanitizeUtf8("\xE6\x97\xE6\x97\xA5"), "\uFFFD日");
}

}  // namespace
}  // namespace tarvex::runtime
