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
using C = Conversion;
INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Test,
    ::testing::Values(
        C{"Kanji", kBoth, "\x93\xFA\x96\x7B", "日本"},
        C{"BackslashTrailByte", kBoth, "\x83\x5C\x83\x74", "ソフ"},
        C{"HalfWidthKana", kBoth, "\xB1\xB2", "ｱｲ"},
        C{"FullWidthSpace", kBoth, "\x81\x40", "\u3000"},
        C{"EmbeddedNul", kBoth, {"a\0b", 3}, {"a\0b", 3}},
        C{"StrayLeadByteBeforeLineEnd", kToText, "a\x83\r\nb", "a\uFFFD\r\nb"},
        C{"StrayLeadByteAtEnd", kToText, "x\x83", "x\uFFFD"},
        C{"UnassignedPair", kToText, "a\x85\x40z", "a\uFFFDz"}, C{"Accent", kRefused, "", "é"},
        C{"Yen", kRefused, "", "¥"}, C{"Euro", kRefused, "", "a€"}, C{"Emoji", kRefused, "", "😀"},
        C{"CutUtf8", kRefused, "", "\xC3"}, C{"Surrogate", kRefused, "", "\xED\xA0\x80"},
        C{"LossyYen", kLossy, "a?b\x93\xFA", "a¥b日"}, C{"LossyCutUtf8", kLossy, "x?y", "x\xC3y"}),
    testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
