// The ANSI code page through the system under the Japanese locale (932).

#include <gtest/gtest.h>

#include "runtime/ansi_text.h"
#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

enum class Way { kBoth, kToText, kRefused, kLossy };

struct Conversion {
  const char* name;
  Way way;
  std::string ansi;  // the bytes, or what the lossy conversion gives
  std::string text;
};
TARVEX_PRINT_CASE_AS_NAME(Conversion)

class Cp932Test : public ::testing::TestWithParam<Conversion> {};

// Text the code page lacks is refused, never replaced by a look-alike (the
// system's best fit would turn ¥ into a backslash); only the lossy conversion
// marks it.
TEST_P(Cp932Test, Converts) {
  const Conversion& c = GetParam();
  switch (c.way) {
    case Way::kBoth:
      EXPECT_EQ(TextToAnsi(c.text), c.ansi);
      [[fallthrough]];
    case Way::kToText:
      EXPECT_EQ(AnsiToText(c.ansi), c.text);
      break;
    case Way::kRefused:
      EXPECT_EQ(TextToAnsi(c.text), std::nullopt);
      break;
    case Way::kLossy:
      EXPECT_EQ(TextToAnsiLossy(c.text), c.ansi);
      break;
  }
}

using enum Way;
const Conversion kConversions[] = {
    {"Kanji", kBoth, "\x93\xFA\x96\x7B", "日本"},
    {"BackslashTrailByte", kBoth, "\x83\x5C\x83\x74", "ソフ"},
    {"HalfWidthKana", kBoth, "\xB1\xB2", "ｱｲ"},
    {"EmbeddedNul", kBoth, {"a\0b", 3}, {"a\0b", 3}},
    {"StrayLeadByteBeforeLineEnd", kToText, "a\x83\r\nb", "a\uFFFD\r\nb"},
    {"StrayLeadByteAtEnd", kToText, "x\x83", "x\uFFFD"},
    {"UnassignedPair", kToText, "a\x85\x40z", "a\uFFFDz"},
    {"Accent", kRefused, "", "é"},
    {"Yen", kRefused, "", "¥"},
    {"Emoji", kRefused, "", "😀"},
    {"CutUtf8", kRefused, "", "\xC3"},
    {"Surrogate", kRefused, "", "\xED\xA0\x80"},
    {"LossyYen", kLossy, "a?b\x93\xFA", "a¥b日"},
    {"LossyCutUtf8", kLossy, "x?y", "x\xC3y"},
};
INSTANTIATE_TEST_SUITE_P(Texts, Cp932Test, ::testing::ValuesIn(kConversions), testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
