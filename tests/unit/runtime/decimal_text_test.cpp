// Whole decimal numbers, the only texts that have a value here.

#include "runtime/decimal_text.h"

#include <gtest/gtest.h>

#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

struct DecimalCase {
  const char* name;
  const char* text;
  std::optional<double> value;
};
TARVEX_PRINT_CASE_AS_NAME(DecimalCase)

class WholeDecimalValueTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(WholeDecimalValueTest, OnlyAWholeNumberHasAValue) {
  EXPECT_EQ(WholeDecimalValue(GetParam().text), GetParam().value);
}

const DecimalCase kTexts[] = {
    {"SignedWithBlanksAround", " -2147483641\t", -2147483641.0},
    {"FractionWithoutIntegerPart", ".5", 0.5},
    {"PointWithoutFraction", "5.", 5.0},
    {"ExponentWithD", "2d-1", 0.2},
    {"BlanksOnly", "  ", std::nullopt},
    {"TrailingLetters", "255abc", std::nullopt},
    {"Hexadecimal", "&HFF", std::nullopt},
    {"BlankInside", "1 2", std::nullopt},
    {"ExponentWithoutDigits", "1e", std::nullopt},
    {"LonePoint", ".", std::nullopt},
    {"TwoSigns", "--1", std::nullopt},
    {"TwoPoints", "1.2.3", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Texts, WholeDecimalValueTest, ::testing::ValuesIn(kTexts),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
