#include "dialog/control_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "runtime/runtime_error.h"

namespace tarvex::dialog {
namespace {

// Index 0 is "10"; other sizes select it too.
TEST(SizeListIndex, PicksTheSizeOrTen) {
  for (const auto& [size, index] : {std::pair{10, 0}, {9, 0}, {-5, 0}, {73, 0}, {11, 1}, {72, 62}})
    EXPECT_EQ(SizeListIndex(static_cast<std::int16_t>(size)), index) << size;
}

// Index 0 is step 1 (25 ms): periods round to the nearest step in the list.
TEST(SpeedListIndex, PicksTheNearestStep) {
  for (const auto& [period, index] :
       {std::pair{25, 0}, {100, 3}, {250, 9}, {275, 9}, {0, 0}, {-75, 0}, {60, 1}, {240, 9}})
    EXPECT_EQ(SpeedListIndex(static_cast<std::int16_t>(period)), index) << period;
}

struct ColorCase {
  const char* text;
  std::optional<std::int32_t> colour;
};

class StoredColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(StoredColorTest, ReadsOnlyRgbAndDesktopColours) {
  EXPECT_EQ(StoredColor(GetParam().text), GetParam().colour) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredColorTest,
    ::testing::Values(ColorCase{"255", 255}, ColorCase{"16777215", 16777215},
                      ColorCase{"-2147483648", INT32_MIN}, ColorCase{"-2147483618", -2147483618},
                      ColorCase{"16777216", std::nullopt}, ColorCase{"-1", std::nullopt},
                      ColorCase{"-2147483617", std::nullopt}, ColorCase{"2147483648", std::nullopt},
                      ColorCase{"red", std::nullopt}));

TEST(ListTextToInt16, ConvertsEntriesAndRaisesTheRunTimeErrors) {
  EXPECT_EQ(ListTextToInt16(" 72 "), 72);
  for (const auto& [text, number] : {std::pair{"", runtime::kTypeMismatch},
                                     {"12pt", runtime::kTypeMismatch},
                                     {"32768", runtime::kOverflow},
                                     {"-32769", runtime::kOverflow}}) {
    try {
      ListTextToInt16(text);
      ADD_FAILURE() << "no error for \"" << text << '"';
    } catch (const runtime::RuntimeError& error) {
      EXPECT_EQ(error.number(), number) << text;
    }
  }
}

TEST(SignedNumberText, PutsABlankBeforeNumbersThatAreNotNegative) {
  EXPECT_EQ(SignedNumberText(24), " 24");
  EXPECT_EQ(SignedNumberText(0), " 0");
  EXPECT_EQ(SignedNumberText(-3), "-3");
}

}  // namespace
}  // namespace tarvex::dialog
