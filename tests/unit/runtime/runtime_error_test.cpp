// Runtime errors: their reports, and skipping a failed step.

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "runtime/skip_on_failure.h"

namespace tarvex::runtime {
namespace {

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
