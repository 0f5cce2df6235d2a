#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/runtime_error.h"

namespace tarvex::runtime {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ValueCase {
  std::string text;
  double expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" -> " << c.expected;
}

class NumericValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumber) {
  const ValueCase& c = GetParam();
  EXPECT_EQ(NumericValue(c.text), c.expected) << "text: \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, NumericValueTest,
    ::testing::Values(ValueCase{"4", 4}, ValueCase{"0", 0}, ValueCase{" 24", 24},
                      ValueCase{"12.7", 12.7}, ValueCase{"-0.5", -0.5}, ValueCase{"2.9", 2.9},
                      ValueCase{"0.9", 0.9}, ValueCase{"1310", 1310}, ValueCase{"1311", 1311},
                      ValueCase{"000004", 4}, ValueCase{"00000", 0}, ValueCase{"+5", 5},
                      ValueCase{".5", 0.5}, ValueCase{"-.25", -0.25}, ValueCase{"5.", 5},
                      ValueCase{"0.000001", 0.000001}, ValueCase{"007.50", 7.5},
                      ValueCase{"123456789012345678901234567890", 123456789012345678901234567890.0},
                      ValueCase{"0.1", 0.1}, ValueCase{"-2147483648", -2147483648.0}));

INSTANTIATE_TEST_SUITE_P(Blanks, NumericValueTest,
                         ::testing::Values(ValueCase{"1 2 3", 123}, ValueCase{"  \t 7", 7},
                                           ValueCase{"\t1\r\n2", 12}, ValueCase{"- 5", -5},
                                           ValueCase{"1 . 5", 1.5}, ValueCase{"1 e 3", 1000},
                                           ValueCase{"1E - 2", 0.01}, ValueCase{" 24 ", 24},
                                           // The full-width space is no blank: it stops the number.
                                           ValueCase{"12\u30003", 12}));

INSTANTIATE_TEST_SUITE_P(StopsAtTheFirstMisfit, NumericValueTest,
                         ::testing::Values(ValueCase{"12pt", 12}, ValueCase{"1,000", 1},
                                           ValueCase{"1.2.3", 1.2}, ValueCase{"--5", 0},
                                           ValueCase{"+-5", 0}, ValueCase{"1e3.5", 1000},
                                           ValueCase{"3-4", 3}, ValueCase{"0x10", 0},
                                           ValueCase{"10%", 10}, ValueCase{"\uFF11\uFF12", 0},
                                           ValueCase{std::string("5\0"
                                                                 "6",
                                                                 3),
                                                     5}));

INSTANTIATE_TEST_SUITE_P(NoNumber, NumericValueTest,
                         ::testing::Values(ValueCase{"", 0}, ValueCase{"abc", 0},
                                           ValueCase{"   ", 0}, ValueCase{".", 0},
                                           ValueCase{"-", 0}, ValueCase{"+", 0}, ValueCase{"E5", 0},
                                           ValueCase{"inf", 0}, ValueCase{"nan", 0},
                                           ValueCase{"&", 0}, ValueCase{"&X1", 0},
                                           ValueCase{"&10", 0}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, NumericValueTest,
    ::testing::Values(ValueCase{"1E3", 1000}, ValueCase{"1D3", 1000}, ValueCase{"1e3", 1000},
                      ValueCase{"1d3", 1000}, ValueCase{"1e", 1}, ValueCase{"1E+", 1},
                      ValueCase{"1E-", 1}, ValueCase{"2.5E-1", 0.25}, ValueCase{"1d+2", 100},
                      ValueCase{"-1.5e2", -150}, ValueCase{"0E400", 0}, ValueCase{".000e5", 0},
                      ValueCase{"1E308", 1e308}, ValueCase{"1E-310", 1e-310},
                      ValueCase{"0.0001E4", 1}, ValueCase{"12345E-2", 123.45}));

INSTANTIATE_TEST_SUITE_P(OutOfRange, NumericValueTest,
                         ::testing::Values(ValueCase{"1E400", kInf}, ValueCase{"-1E400", -kInf},
                                           ValueCase{"2E308", kInf},
                                           ValueCase{"1E99999999999999999999", kInf},
                                           ValueCase{std::string(400, '9'), kInf},
                                           ValueCase{"1E-400", 0},
                                           ValueCase{"1E-99999999999999999999", 0}));

INSTANTIATE_TEST_SUITE_P(
    HexAndOctal, NumericValueTest,
    ::testing::Values(ValueCase{"&H10", 16}, ValueCase{"&O17", 15}, ValueCase{"&h1f", 31},
                      ValueCase{"&o777", 511}, ValueCase{"&HFFFF", 65535},
                      ValueCase{"&HFFFFFFFF", 4294967295.0}, ValueCase{"&H", 0},
                      ValueCase{"&HG", 0}, ValueCase{"&O8", 0}, ValueCase{"&O78", 7},
                      ValueCase{"& H 1 0", 16}, ValueCase{" &H1A px", 26}, ValueCase{"-&H10", 0},
                      ValueCase{"&H1.5", 1}, ValueCase{"&H1E3", 0x1E3}));

TEST(FloorTest, TakesTheGreatestIntegerNotAbove) {
  EXPECT_EQ(Floor(2.9), 2);
  EXPECT_EQ(Floor(12.7), 12);
  EXPECT_EQ(Floor(0.9), 0);
  EXPECT_EQ(Floor(-0.5), -1);
  EXPECT_EQ(Floor(-3), -3);
  EXPECT_EQ(Floor(1310), 1310);
  EXPECT_TRUE(std::isinf(Floor(kInf)));
}

int OverflowNumber(double value, bool thirty_two) {
  try {
    if (thirty_two) {
      ToInt32(value);
    } else {
      ToInt16(value);
    }
  } catch (const RuntimeError& e) {
    return e.number();
  }
  return 0;
}

struct NarrowCase {
  double value;
  int expected;
};

void PrintTo(const NarrowCase& c, std::ostream* os) {
  *os << std::to_string(c.value) << " -> " << c.expected;
}

class ToInt16Test : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(ToInt16Test, RoundsHalvesToEven) {
  EXPECT_EQ(ToInt16(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    InRange, ToInt16Test,
    ::testing::Values(NarrowCase{2.5, 2}, NarrowCase{3.5, 4}, NarrowCase{0.5, 0},
                      NarrowCase{1.5, 2}, NarrowCase{-0.5, 0}, NarrowCase{-1.5, -2},
                      NarrowCase{-2.5, -2}, NarrowCase{-3.5, -4}, NarrowCase{2.4, 2},
                      NarrowCase{2.6, 3}, NarrowCase{-2.6, -3}, NarrowCase{0.49999999999999994, 0},
                      NarrowCase{-0.0, 0}, NarrowCase{32767, 32767}, NarrowCase{32767.4, 32767},
                      NarrowCase{32766.5, 32766}, NarrowCase{-32768, -32768},
                      NarrowCase{-32768.5, -32768}, NarrowCase{1234, 1234}));

class ToInt16OverflowTest : public ::testing::TestWithParam<double> {};

TEST_P(ToInt16OverflowTest, RaisesErrorSix) {
  EXPECT_EQ(OverflowNumber(GetParam(), false), 6);
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, ToInt16OverflowTest,
                         ::testing::Values(32767.5, 32768.0, -32768.6, -32769.0, 32775.0, 1e10,
                                           -1e300, kInf, -kInf,
                                           std::numeric_limits<double>::quiet_NaN()));

TEST(ToInt32Test, RoundsHalvesToEvenAtTheBoundaries) {
  EXPECT_EQ(ToInt32(2.5), 2);
  EXPECT_EQ(ToInt32(3.5), 4);
  EXPECT_EQ(ToInt32(-2.5), -2);
  EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(ToInt32(2147483646.5), 2147483646);
  EXPECT_EQ(ToInt32(2147483647.4), 2147483647);
  EXPECT_EQ(ToInt32(-2147483648.0), -2147483647 - 1);
  EXPECT_EQ(ToInt32(-2147483648.5), -2147483647 - 1);
  EXPECT_EQ(ToInt32(32768.0), 32768);
  EXPECT_EQ(ToInt32(1000000000.5), 1000000000);
  EXPECT_EQ(ToInt32(1000000001.5), 1000000002);
  EXPECT_EQ(ToInt32(-1000000001.5), -1000000002);
  EXPECT_EQ(ToInt32(-0.49999999999999994), 0);
  EXPECT_EQ(ToInt32(1e-300), 0);
}

TEST(ToInt32Test, OutOfRangeRaisesErrorSix) {
  for (const double value : {2147483647.5, 2147483648.0, -2147483648.6, -2147483649.0, 4294967295.0,
                             1e300, kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(OverflowNumber(value, true), 6) << value;
  }
}

// The settings reader's use: floor, times 25, narrowed to 16 bits.
TEST(NumericValueTest, TimerStepsReadAsTheSettingsReaderTakesThem) {
  const auto interval = [](const char* text) { return ToInt16(Floor(NumericValue(text)) * 25); };
  EXPECT_EQ(interval("4"), 100);
  EXPECT_EQ(interval("2.9"), 50);
  EXPECT_EQ(interval("0.9"), 0);
  EXPECT_EQ(interval("1310"), 32750);
  EXPECT_EQ(interval("-1310"), -32750);
  EXPECT_EQ(OverflowNumber(Floor(NumericValue("1311")) * 25, false), 6);
  EXPECT_EQ(OverflowNumber(Floor(NumericValue("-1311")) * 25, false), 6);
  EXPECT_EQ(OverflowNumber(Floor(NumericValue("1E400")) * 25, false), 6);
}

}  // namespace
}  // namespace tarvex::runtime
