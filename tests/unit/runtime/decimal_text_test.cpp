#include "runtime/decimal_text.h"

#include <gtest/gtest.h>

namespace tarvex::runtime {
namespace {

struct DecimalCase {
  const char* text;
  std::optional<double> value;
};

class WholeDecimalValueTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(WholeDecimalValueTest, OnlyAWholeNumberHasAValue) {
  EXPECT_EQ(WholeDecimalValue(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeDecimalValueTest,
    ::testing::Values(DecimalCase{"255", 255.0}, DecimalCase{" -2147483641\t", -2147483641.0},
                      DecimalCase{"+12.5", 12.5}, DecimalCase{".5", 0.5}, DecimalCase{"5.", 5.0},
                      DecimalCase{"1E3", 1000.0}, DecimalCase{"2d-1", 0.2},
                      DecimalCase{"", std::nullopt}, DecimalCase{"  ", std::nullopt},
                      DecimalCase{"255abc", std::nullopt}, DecimalCase{"&HFF", std::nullopt},
                      DecimalCase{"1 2", std::nullopt}, DecimalCase{"1e", std::nullopt},
                      DecimalCase{".", std::nullopt}, DecimalCase{"--1", std::nullopt},
                      DecimalCase{"1.2.3", std::nullopt}, DecimalCase{"１２", std::nullopt}));

}  // namespace
}  // namespace tarvex::runtime
