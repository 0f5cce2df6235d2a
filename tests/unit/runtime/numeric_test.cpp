// Numbers read from text, narrowed to integers, and the errors raised.

#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

#include "runtime/decimal_text.h"
#include "runtime/runtime_error.h"
#include "runtime/skip_on_failure.h"
#include "tests/support/case_name.h"

namespace tarvex::runtime {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// A text, its leading number, and its value as a whole decimal number.
using ValueCase = std::tuple<const char*, const char*, double, std::optional<double>>;
class NumericValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumberAndOnlyAWholeDecimalHasAValue) {
  const auto& [name, text, leading, whole] = GetParam();
  EXPECT_EQ(NumericValue(text), leading);
  EXPECT_EQ(WholeDecimalValue(text), whole);
}

const ValueCase kValues[] = {
    {"SignedFractionWithoutIntegerPart", "-.25", -0.25, -0.25},
    {"DecimalFractionRoundsCorrectly", "0.1", 0.1, 0.1},
    {"SignedWithBlanksAround", " -2147483641\t", -2147483641.0, -2147483641.0},
    {"BlanksInsideAreSkippedButNoWholeNumber", "\t1\r\n2 3", 123.0, std::nullopt},
    {"BlanksOnly", "  ", 0.0, std::nullopt},
    {"LonePoint", ".", 0.0, std::nullopt},
    {"StopsAtTheSecondPoint", "1.2.3", 1.2, std::nullopt},
    {"TwoSignsAreNoNumber", "+-5", 0.0, std::nullopt},
    {"ExponentWithD", "1d+2", 100.0, 100.0},
    {"NegativeExponent", "2.5E-1", 0.25, 0.25},
    {"ExponentWithoutDigits", "1e", 1.0, std::nullopt},
    {"TooLargeIsInfinity", "-1E309", -kInf, -kInf},
    {"TooSmallIsZero", "1E-99999999999999999999", 0.0, 0.0},
    {"HugeExponentIsInfinity", "1E99999999999999999999", kInf, kInf},
    {"Hexadecimal", " &h1f px", 31.0, std::nullopt},
    {"HexadecimalLargest", "&HFFFFFFFF", 4294967295.0, std::nullopt},
    {"Octal", "&o777", 511.0, std::nullopt},
    {"OctalStopsAtEight", "&O78", 7.0, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Texts, NumericValueTest, ::testing::ValuesIn(kValues),
                         testing::CaseName());

// nullopt: the narrowing raises error 6.
using Int = std::optional<std::int32_t>;

template <class Narrow>
Int Narrowed(Narrow narrow, double value) {
  try {
    return narrow(value);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kOverflow);
    return std::nullopt;
  }
}

using NarrowCase = std::tuple<const char*, double, Int, Int>;
class NarrowTest : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(NarrowTest, RoundsHalvesToEvenAndRefusesWhatDoesNotFit) {
  const auto& [name, value, int16, int32] = GetParam();
  EXPECT_EQ(Narrowed(ToInt16, value), int16);
  EXPECT_EQ(Narrowed(ToInt32, value), int32);
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
    {"Int32BelowTheSmallest", -2147483648.6, std::nullopt, std::nullopt},
    {"Infinity", -kInf, std::nullopt, std::nullopt},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), std::nullopt, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Values, NarrowTest, ::testing::ValuesIn(kNarrowings), testing::CaseName());

TEST(RuntimeErrorTest, EachNumberHasADescriptionOfItsOwnAndTheReportNamesTheSubject) {
  std::set<std::string> seen;
  for (const int number : {5, 6, 7, 9, 13, 48, 52, 53, 57, 61, 64, 68, 70, 75, 76, 380, 453}) {
    EXPECT_TRUE(seen.insert(DescriptionOf(number)).second) << number;
  }
  EXPECT_NE(DescriptionOf(1234).find("1234"), std::string::npos);
  EXPECT_STREQ(RuntimeError(kFileNotFound, "/a.txt").what(),
               "実行時エラー 53: ファイルが見つかりません。 (/a.txt)");
  EXPECT_STREQ(RuntimeError(kOverflow).what(), "実行時エラー 6: オーバーフローしました。");
}

TEST(SkipOnFailureTest, AFailingStepIsSkippedAndAFailingBranchTestCountsAsTrue) {
  std::string steps;
  SkipOnFailure([&] {
    steps += "a";
    throw RuntimeError(kFileNotFound);
  });
  SkipOnFailure([&] { throw std::runtime_error("other"); });
  SkipOnFailure([&] { steps += "b"; });
  EXPECT_EQ(steps, "ab");
  EXPECT_FALSE(BranchTest([] { return false; }));
  EXPECT_TRUE(BranchTest([]() -> bool { throw RuntimeError(kOverflow); }));
}

}  // namespace
}  // namespace tarvex::runtime
