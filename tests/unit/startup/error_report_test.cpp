#include "startup/error_report.h"

#include <gtest/gtest.h>

#include "tests/support/fake_desktop.h"

namespace tarvex::basKORVAN {
namespace {

TEST(ErrorReport, GivesNumberDescriptionAndFile) {
  const runtime::RuntimeError error(runtime::kFileNotFound, "/home/user/readme.txt");
  const std::string text = ErrorReportText(error);
  EXPECT_EQ(text, "実行時エラー 53: " + error.description() + "\n/home/user/readme.txt");
  EXPECT_FALSE(error.description().empty());
}

TEST(ErrorReport, WithoutSubjectHasNoSecondLine) {
  EXPECT_EQ(ErrorReportText(runtime::RuntimeError(runtime::kOverflow)).find('\n'),
            std::string::npos);
}

TEST(ErrorReport, ShowsTheTextInAMessageBoxWithTheAppTitle) {
  testing::FakeDesktop desktop;
  const runtime::RuntimeError error(runtime::kOverflow);
  ::testing::internal::CaptureStderr();
  ReportError(desktop, error);
  const std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(desktop.calls.size(), 1u);
  EXPECT_EQ(desktop.calls[0], "MessageBox(" + ErrorReportText(error) + "|tarvex)");
  EXPECT_EQ(err, "tarvex: " + ErrorReportText(error) + "\n");
}

}  // namespace
}  // namespace tarvex::basKORVAN
