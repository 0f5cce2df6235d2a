#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "runtime/skip_on_failure.h"

namespace tarvex::runtime {
namespace {

constexpr int kListed[] = {
    kInvalidProcedureCall, kOverflow,     kOutOfMemory,         kSubscriptOutOfRange,
    kTypeMismatch,         kDllNotFound,  kBadFileNameOrNumber, kFileNotFound,
    kDeviceIoError,        kDiskFull,     kBadFileName,         kPermissionDenied,
    kPathFileAccessError,  kPathNotFound, kEntryPointNotFound};

TEST(DescriptionOfTest, EveryListedNumberHasADescriptionOfItsOwn) {
  std::set<std::string> seen;
  for (const int number : kListed) {
    const std::string description = DescriptionOf(number);
    EXPECT_FALSE(description.empty()) << number;
    EXPECT_TRUE(seen.insert(description).second) << "shared description: " << description;
    EXPECT_EQ(description.find(std::to_string(number)), std::string::npos) << description;
  }
  EXPECT_EQ(DescriptionOf(6), "オーバーフローしました。");
  EXPECT_EQ(DescriptionOf(53), "ファイルが見つかりません。");
  EXPECT_EQ(DescriptionOf(76), "パスが見つかりません。");
}

TEST(DescriptionOfTest, UnknownNumbersStillNameTheNumber) {
  for (const int number : {0, 1, 1234, -7}) {
    const std::string description = DescriptionOf(number);
    EXPECT_FALSE(description.empty());
    EXPECT_NE(description.find(std::to_string(number)), std::string::npos) << description;
  }
}

TEST(RuntimeErrorTest, ReportGivesNumberDescriptionAndSubject) {
  const RuntimeError error(kFileNotFound, "/path/readme.txt");
  EXPECT_EQ(error.number(), 53);
  EXPECT_EQ(error.description(), "ファイルが見つかりません。");
  EXPECT_EQ(error.subject(), "/path/readme.txt");
  EXPECT_STREQ(error.what(), "実行時エラー 53: ファイルが見つかりません。 (/path/readme.txt)");
}

TEST(RuntimeErrorTest, ReportWithoutSubject) {
  const RuntimeError error(kOverflow);
  EXPECT_EQ(error.subject(), "");
  EXPECT_STREQ(error.what(), "実行時エラー 6: オーバーフローしました。");
}

TEST(RuntimeErrorTest, CaughtAsStdException) {
  try {
    throw RuntimeError(kEntryPointNotFound, "vbmp3_stop");
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("453"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("vbmp3_stop"), std::string::npos);
  }
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
