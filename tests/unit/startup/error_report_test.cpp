#include "startup/error_report.h"

#include <gtest/gtest.h>

#include "tests/support/fake_desktop.h"

namespace tarvex::basKORVAN {
namespace {

TEST(ErrorReport, GivesTheNumberAndDescriptionThenTheFileOnALineOfItsOwn) {
  const runtime::RuntimeError error(runtime::kFileNotFound, "/home/user/readme.txt");
  EXPECT_FALSE(error.description().empty());
  EXPECT_EQ(ErrorReportText(error),
            "実行時エラー 53: " + error.description() + "\n/home/user/readme.txt");
  EXPECT_EQ(ErrorReportText(runtime::RuntimeError(runtime::kOverflow)),
            "実行時エラー 6: " + runtime::RuntimeError(runtime::kOverflow).description());
}

TEST(ErrorReport, ShowsTheTextInAMessageBoxWithTheAppTitleAndOnStandardError) {
  testing::FakeDesktop desktop;
  const runtime::RuntimeError error(runtime::kOverflow);
  ::testing::internal::CaptureStderr();
  ReportError(desktop, error);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tarvex: " + ErrorReportText(error) + "\n");
  EXPECT_EQ(desktop.calls,
            std::vector<std::string>{"MessageBox(" + ErrorReportText(error) + "|tarvex)"});
}

}  // namespace
}  // namespace tarvex::basKORVAN
