#include "dialog/control_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/runtime_error.h"

namespace tarvex::dialog {
namespace {

struct SizeCase {
  std::int16_t font_size;
  int index;  // 0 is "10"
};

class SizeListIndexTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeListIndexTest, PicksTheSizeOrTen) {
  EXPECT_EQ(SizeListIndex(GetParam().font_size), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeListIndexTest,
                         ::testing::Values(SizeCase{10, 0}, SizeCase{9, 0}, SizeCase{0, 0},
                                           SizeCase{-5, 0}, SizeCase{73, 0}, SizeCase{32767, 0},
                                           SizeCase{11, 1}, SizeCase{24, 14}, SizeCase{72, 62}));

struct SpeedCase {
  std::int16_t timer_interval;
  int index;  // 0 is "1"
};

class SpeedListIndexTest : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(SpeedListIndexTest, PicksTheStepOrTheNearestOne) {
  EXPECT_EQ(SpeedListIndex(GetParam().timer_interval), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Periods, SpeedListIndexTest,
                         ::testing::Values(SpeedCase{25, 0}, SpeedCase{100, 3}, SpeedCase{250, 9},
                                           // Steps outside the list hold the nearest entry.
                                           SpeedCase{275, 9}, SpeedCase{25000, 9}, SpeedCase{0, 0},
                                           SpeedCase{-75, 0}, SpeedCase{-32768, 0},
                                           // Periods off the 25 ms grid round to the nearest step.
                                           SpeedCase{30, 0}, SpeedCase{60, 1}, SpeedCase{240, 9}));

struct ColorCase {
  std::string text;
  std::optional<std::int32_t> colour;
};

class StoredColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(StoredColorTest, ReadsOnlyDecimalColourValues) {
  EXPECT_EQ(StoredColor(GetParam().text), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredColorTest,
    ::testing::Values(ColorCase{"255", 255}, ColorCase{"65280", 65280},
                      ColorCase{"16711680", 16711680}, ColorCase{"0", 0},
                      ColorCase{"16777215", 16777215}, ColorCase{"-2147483641", -2147483641},
                      ColorCase{"-2147483648", INT32_MIN}, ColorCase{"-2147483618", -2147483618},
                      ColorCase{" 255\t", 255}, ColorCase{"+255", 255}, ColorCase{"254.5", 254},
                      ColorCase{"255.5", 256},
                      // Not numbers.
                      ColorCase{"", std::nullopt}, ColorCase{"red", std::nullopt},
                      ColorCase{"255abc", std::nullopt}, ColorCase{"&HFF", std::nullopt},
                      ColorCase{"1e3", 1000}, ColorCase{"-", std::nullopt},
                      ColorCase{"2 55", std::nullopt},
                      // Numbers that are no colour.
                      ColorCase{"16777216", std::nullopt}, ColorCase{"-1", std::nullopt},
                      ColorCase{"-2147483617", std::nullopt}, ColorCase{"2147483648", std::nullopt},
                      ColorCase{"99999999999999999999", std::nullopt}));

TEST(ListTextToInt16Test, ConvertsListEntries) {
  EXPECT_EQ(ListTextToInt16("10"), 10);
  EXPECT_EQ(ListTextToInt16("72"), 72);
  EXPECT_EQ(ListTextToInt16(" 7 "), 7);
  EXPECT_EQ(ListTextToInt16("-3"), -3);
}

struct BadListText {
  std::string text;
  int error;
};

class ListTextErrorTest : public ::testing::TestWithParam<BadListText> {};

TEST_P(ListTextErrorTest, RaisesTheRunTimeError) {
  try {
    ListTextToInt16(GetParam().text);
    FAIL() << "no error for \"" << GetParam().text << "\"";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, ListTextErrorTest,
                         ::testing::Values(BadListText{"", runtime::kTypeMismatch},
                                           BadListText{"abc", runtime::kTypeMismatch},
                                           BadListText{"12pt", runtime::kTypeMismatch},
                                           BadListText{"32768", runtime::kOverflow},
                                           BadListText{"-32769", runtime::kOverflow}));

TEST(SignedNumberTextTest, PutsABlankBeforeNumbersThatAreNotNegative) {
  EXPECT_EQ(SignedNumberText(24), " 24");
  EXPECT_EQ(SignedNumberText(0), " 0");
  EXPECT_EQ(SignedNumberText(-3), "-3");
}

}  // namespace
}  // namespace tarvex::dialog
