#include "startup/switch_dispatch.h"

#include <gtest/gtest.h>

#include <tuple>

#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"

namespace tarvex::basKORVAN {
namespace {

using SwitchCase = std::tuple<const char*, const char*, Mode>;
class DispatchSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(DispatchSwitch, ChoosesTheMode) {
  EXPECT_EQ(basKORVAN::DispatchSwitch(std::get<1>(GetParam())), std::get<2>(GetParam()));
}

// Only the first two characters count, compared exactly.
const SwitchCase kSwitches[] = {
    {"NothingShowsTheSettings", "", Mode::kSettings},
    {"SlashCShowsTheSettings", "/c", Mode::kSettings},
    {"CapitalCShowsTheSettings", "/C", Mode::kSettings},
    {"CWithAHandleShowsTheSettings", "/c:1234", Mode::kSettings},
    {"SlashPIsThePreview", "/p 1234", Mode::kPreview},
    {"CapitalPIsThePreview", "/P", Mode::kPreview},
    {"SlashSRunsTheSaver", "/s", Mode::kSaver},
    {"SlashAChangesThePassword", "/a", Mode::kPasswordChange},
    {"CapitalAChangesThePassword", "/A 1234", Mode::kPasswordChange},
    {"AnUnknownSwitchRunsTheSaver", "/x", Mode::kSaver},
    {"ALeadingBlankRunsTheSaver", " /c", Mode::kSaver},
    {"WideCharactersRunTheSaver", "／ｃ", Mode::kSaver},
};
INSTANTIATE_TEST_SUITE_P(Switches, DispatchSwitch, ::testing::ValuesIn(kSwitches),
                         testing::CaseName());

TEST(PasswordParentHandle, IsTheRoundedNumberAfterTheSwitchOrAnOverflow) {
  for (const auto& [line, handle] : {std::pair{"/a", 0},
                                     {"/A   77  ", 77},
                                     {"/a:12", 0},
                                     {"/a 2.5", 2},
                                     {"/a -32768", -32768},
                                     {"/a12", 12}}) {
    EXPECT_EQ(PasswordParentHandle(line), handle) << line;
  }
  for (const char* line : {"/a 32768", "/a -32769"}) {
    EXPECT_THROW(PasswordParentHandle(line), runtime::RuntimeError) << line;
  }
}

}  // namespace
}  // namespace tarvex::basKORVAN
