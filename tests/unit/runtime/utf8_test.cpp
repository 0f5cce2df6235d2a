// Decoding, writing and checking UTF-8.

#include "runtime/utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

constexpr char32_t kBad = kReplacementCharacter;

struct DecodeCase {
  const char* name;
  std::string bytes;
  char32_t code;
  std::size_t length;
};
TARVEX_PRINT_CASE_AS_NAME(DecodeCase)

class DecodeUtf8Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Test, TakesOneCharacterOrTheBadStretch) {
  const Utf8Char c = DecodeUtf8Char("x" + GetParam().bytes, 1);
  EXPECT_EQ(c.valid, GetParam().code != kBad);
  EXPECT_EQ(c.code, GetParam().code);
  EXPECT_EQ(c.length, GetParam().length);
}

const DecodeCase kDecodings[] = {
    {"FourBytes", "\U0010FFFF", U'\U0010FFFF', 4},
    {"LoneContinuationByte", "\xBF", kBad, 1},
    {"OverlongTwoBytes", "\xC1\xBF", kBad, 1},
    {"OverlongThreeBytes", "\xE0\x80\x80", kBad, 1},
    {"Surrogate", "\xED\xA0\x80", kBad, 1},
    {"OverlongFourBytes", "\xF0\x80\x80\x80", kBad, 1},
    {"BeyondUnicode", "\xF4\x90\x80\x80", kBad, 1},
    {"InvalidLeadByte", "\xF5\x80", kBad, 1},
    {"CutThreeByteSequence", "\xE6\x97!", kBad, 2},
    {"CutFourByteSequence", "\xF0\x9F\x98", kBad, 3},
    {"LeadByteBeforeAscii", "\xC3!", kBad, 1},
};
INSTANTIATE_TEST_SUITE_P(Bytes, DecodeUtf8Test, ::testing::ValuesIn(kDecodings),
                         tarvex::testing::CaseName());

TEST(Utf8Test, AppendWritesEachLengthAndReplacesWhatIsNoCharacter) {
  std::string out;
  for (const char32_t code : {U'\u00E9', U'\U0010FFFF', char32_t{0xD800}, char32_t{0x110000}}) {
    AppendUtf8(out, code);
  }
  EXPECT_EQ(out, "\u00E9\U0010FFFF\uFFFD\uFFFD");
}

}  // namespace
}  // namespace tarvex::runtime
