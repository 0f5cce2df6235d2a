#include "startup/switch_dispatch.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"

namespace tarvex::basKORVAN {
namespace {

struct SwitchCase {
  const char* commandLine;
  Mode mode;
};

class DispatchSwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(DispatchSwitchTest, FirstTwoCharactersChooseTheMode) {
  EXPECT_EQ(DispatchSwitch(GetParam().commandLine), GetParam().mode) << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Switches, DispatchSwitchTest,
    ::testing::Values(SwitchCase{"", Mode::kSettings}, SwitchCase{"/c", Mode::kSettings},
                      SwitchCase{"/C", Mode::kSettings}, SwitchCase{"/c:1234", Mode::kSettings},
                      SwitchCase{"/c 1234", Mode::kSettings}, SwitchCase{"/p", Mode::kPreview},
                      SwitchCase{"/P", Mode::kPreview}, SwitchCase{"/p 1234", Mode::kPreview},
                      SwitchCase{"/s", Mode::kSaver}, SwitchCase{"/S", Mode::kSaver},
                      SwitchCase{"/spam", Mode::kSaver}, SwitchCase{"/a", Mode::kPasswordChange},
                      SwitchCase{"/A 1234", Mode::kPasswordChange}, SwitchCase{"/x", Mode::kSaver},
                      SwitchCase{"c", Mode::kSaver}, SwitchCase{"/", Mode::kSaver},
                      SwitchCase{" /c", Mode::kSaver}, SwitchCase{"-s", Mode::kSaver},
                      SwitchCase{"／ｃ", Mode::kSaver}));

struct HandleCase {
  const char* commandLine;
  std::int32_t handle;
};

class PasswordParentHandleTest : public ::testing::TestWithParam<HandleCase> {};

TEST_P(PasswordParentHandleTest, NumberAfterTheSwitch) {
  EXPECT_EQ(PasswordParentHandle(GetParam().commandLine), GetParam().handle);
}

INSTANTIATE_TEST_SUITE_P(Handles, PasswordParentHandleTest,
                         ::testing::Values(HandleCase{"/a", 0}, HandleCase{"/a 1234", 1234},
                                           HandleCase{"/A   77  ", 77}, HandleCase{"/a:12", 0},
                                           HandleCase{"/a 2.5", 2}, HandleCase{"/a 3.5", 4},
                                           HandleCase{"/a -32768", -32768},
                                           HandleCase{"/a 32767", 32767},
                                           HandleCase{"/a window", 0}, HandleCase{"/a12", 12}));

TEST(PasswordParentHandle, OutOfSixteenBitsIsAnOverflow) {
  for (const char* line : {"/a 32768", "/a -32769", "/a 1e10"}) {
    try {
      PasswordParentHandle(line);
      ADD_FAILURE() << line;
    } catch (const runtime::RuntimeError& error) {
      EXPECT_EQ(error.number(), runtime::kOverflow) << line;
    }
  }
}

}  // namespace
}  // namespace tarvex::basKORVAN
