// Runtime errors: their numbers and reports, and skipping a failed step.

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "runtime/skip_on_failure.h"

namespace tarvex::runtime {
namespace {

TEST(RuntimeErrorTest, EveryListedNumberHasADescriptionOfItsOwn) {
  std::set<std::string> seen;
  for (const int number :
       {kInvalidProcedureCall, kOverflow, kOutOfMemory, kSubscriptOutOfRange, kTypeMismatch,
        kDllNotFound, kBadFileNameOrNumber, kFileNotFound, kDeviceIoError, kDiskFull, kBadFileName,
        kPermissionDenied, kPathFileAccessError, kPathNotFound, kEntryPointNotFound}) {
    EXPECT_TRUE(seen.insert(DescriptionOf(number)).second) << number;
  }
  EXPECT_EQ(DescriptionOf(76), "パスが見つかりません。");
  EXPECT_NE(DescriptionOf(1234).find("1234"), std::string::npos);  // unknown: names the number
}

TEST(RuntimeErrorTest, ReportGivesNumberDescriptionAndSubject) {
  const RuntimeError error(kFileNotFound, "/path/readme.txt");
  EXPECT_EQ(error.number(), 53);
  EXPECT_EQ(error.subject(), "/path/readme.txt");
  EXPECT_STREQ(error.what(), "実行時エラー 53: ファイルが見つかりません。 (/path/readme.txt)");
  EXPECT_STREQ(RuntimeError(kOverflow).what(), "実行時エラー 6: オーバーフローしました。");
}

TEST(SkipOnFailureTest, AFailingStepIsSkippedAndTheNextRuns) {
  std::string steps;
  SkipOnFailure([&] {
    steps += "a";
    throw RuntimeError(kFileNotFound);
  });
  SkipOnFailure([&] { throw std::runtime_error("other"); });
  SkipOnFailure([&] { steps += "b"; });
  EXPECT_EQ(steps, "ab");
}

TEST(SkipOnFailureTest, AFailingBranchTestCountsAsTrue) {
  EXPECT_TRUE(BranchTest([] { return true; }));
  EXPECT_FALSE(BranchTest([] { return false; }));
  EXPECT_TRUE(BranchTest([]() -> bool { throw RuntimeError(kOverflow); }));
}

}  // namespace
}  // namespace tarvex::runtime
