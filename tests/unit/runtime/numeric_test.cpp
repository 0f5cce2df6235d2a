// Reading numbers from text, and narrowing them to integers.

#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ValueCase {
  const char* name;
  std::string text;
  double expected;
};
TARVEX_PRINT_CASE_AS_NAME(ValueCase)

class NumericValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(NumericValue(GetParam().text), GetParam().expected);
}

const ValueCase kValues[] = {
    {"SignedFractionWithoutIntegerPart", "-.25", -0.25},
    {"DecimalFractionRoundsCorrectly", "0.1", 0.1},
    {"BlanksInsideAreSkipped", "\t1\r\n2 3", 123},
    {"BlanksAroundSignPointAndExponent", "- 1 . 5 e 2", -150},
    {"FullWidthSpaceStopsTheNumber", "12\u30003", 12},
    {"StopsAtTheSecondPoint", "1.2.3", 1.2},
    {"TwoSignsAreNoNumber", "+-5", 0},
    {"ExponentWithD", "1d+2", 100},
    {"NegativeExponent", "2.5E-1", 0.25},
    {"ExponentWithoutDigitsIsIgnored", "1E-", 1},
    {"TooLargeIsInfinity", "-1E400", -kInf},
    {"TooSmallIsZero", "1E-99999999999999999999", 0},
    {"HugeExponentIsInfinity", "1E99999999999999999999", kInf},
    {"Hexadecimal", " &h1f px", 31},
    {"HexadecimalLargest", "&HFFFFFFFF", 4294967295.0},
    {"HexadecimalEIsADigit", "&H1E3", 0x1E3},
    {"HexadecimalWithoutDigits", "&HG", 0},
    {"SignBeforeHexadecimalIsNoNumber", "-&H10", 0},
    {"Octal", "&o777", 511},
    {"OctalStopsAtEight", "&O78", 7},
    {"OctalEightIsNoDigit", "&O8", 0},
};
INSTANTIATE_TEST_SUITE_P(Texts, NumericValueTest, ::testing::ValuesIn(kValues),
                         tarvex::testing::CaseName());

// nullopt: the narrowing raises error 6.
struct NarrowCase {
  const char* name;
  double value;
  std::optional<std::int32_t> int16;
  std::optional<std::int32_t> int32;
};
TARVEX_PRINT_CASE_AS_NAME(NarrowCase)

template <class Narrow>
std::optional<std::int32_t> Narrowed(Narrow narrow, double value) {
  try {
    return narrow(value);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kOverflow);
    return std::nullopt;
  }
}

class NarrowTest : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(NarrowTest, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(Narrowed(ToInt16, GetParam().value), GetParam().int16);
  EXPECT_EQ(Narrowed(ToInt32, GetParam().value), GetParam().int32);
}

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
const NarrowCase kNarrowings[] = {
    {"HalfGoesDownToEven", 2.5, 2, 2},
    {"HalfGoesUpToEven", 3.5, 4, 4},
    {"NegativeHalfGoesToEven", -2.5, -2, -2},
    {"JustBelowHalfGoesDown", 0.49999999999999994, 0, 0},
    {"Int16LargestAfterRounding", 32767.4, 32767, 32767},
    {"Int16HalfAboveTheLargest", 32767.5, std::nullopt, 32768},
    {"Int16HalfBelowTheSmallest", -32768.5, -32768, -32768},
    {"Int16BelowTheSmallest", -32768.6, std::nullopt, -32769},
    {"Int32HalfAboveTheLargest", 2147483647.5, std::nullopt, std::nullopt},
    {"Int32Smallest", -2147483648.0, std::nullopt, kInt32Min},
    {"Int32HalfBelowTheSmallest", -2147483648.5, std::nullopt, kInt32Min},
    {"Int32BelowTheSmallest", -2147483648.6, std::nullopt, std::nullopt},
    {"LargeHalfGoesToEven", 1000000001.5, std::nullopt, 1000000002},
    {"Infinity", -kInf, std::nullopt, std::nullopt},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), std::nullopt, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Values, NarrowTest, ::testing::ValuesIn(kNarrowings),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::runtime
