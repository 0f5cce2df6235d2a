// The colour setting's text: one whole decimal number in the 32-bit range.

#include "saver/color_text.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"

namespace tarvex::saver {
namespace {

struct ColorCase {
  const char* name;
  const char* text;
  std::uint32_t color;
  int error;  // 0: the text is a colour
};
TARVEX_PRINT_CASE_AS_NAME(ColorCase)

constexpr int kType = runtime::kTypeMismatch, kRange = runtime::kOverflow;
// clang-format off
const ColorCase kCases[] = {
    {"Plain", "255", 0xFF, 0},                  {"BlanksAround", " 65280\t", 0xFF00, 0},
    {"PlusSign", "+16711680", 0xFF0000, 0},     {"NegativeIsASystemColour", "-2147483643", 0x80000005, 0},
    {"MinusOneIsAllBits", "-1", 0xFFFFFFFF, 0}, {"HalfDownToEven", "12.5", 12, 0},
    {"HalfUpToEven", "13.5", 14, 0},            {"BareFraction", ".5", 0, 0},
    {"Exponent", "1e3", 1000, 0},               {"ExponentLetterD", "2D2", 200, 0},
    {"Largest", "2147483647", 0x7FFFFFFF, 0},   {"Empty", "", 0, kType},
    {"OnlyBlanks", "   ", 0, kType},            {"TrailingLetters", "255abc", 0, kType},
    {"BlankInside", "2 55", 0, kType},          {"HexPrefix", "&HFF", 0, kType},
    {"BareExponent", "1e", 0, kType},           {"SignAlone", "-", 0, kType},
    {"TwoPeriods", "1.2.3", 0, kType},          {"OneAboveTheRange", "2147483648", 0, kRange},
    {"OneBelowTheRange", "-2147483649", 0, kRange}, {"HugeExponent", "1e400", 0, kRange},
};
// clang-format on

class ColorTextTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTextTest, GivesTheColourOrTheErrorNumber) {
  try {
    EXPECT_EQ(ColorFromText(GetParam().text), GetParam().color);
    EXPECT_EQ(GetParam().error, 0) << "accepted";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ColorTextTest, ::testing::ValuesIn(kCases), testing::CaseName());

}  // namespace
}  // namespace tarvex::saver
