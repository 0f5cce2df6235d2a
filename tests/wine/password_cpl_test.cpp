// VerifyScreenSavePwd with a password.cpl beside the program (the stand-in
// built for this test): only the low 16 bits of its answer count.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/password_services.h"

namespace tarvex::platform::win32 {
namespace {

struct AnswerCase {
  const char* answer;
  bool accepted;
};

class PasswordCplTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(PasswordCplTest, TheLowSixteenBitsDecide) {
  SetEnvironmentVariableA("TARVEX_FAKE_PASSWORD_ANSWER", GetParam().answer);
  EXPECT_EQ(VerifyScreenSavePwd(0x1234), GetParam().accepted);
  const HMODULE cpl = GetModuleHandleA("password.cpl");
  ASSERT_EQ(cpl, nullptr) << "the service is released after each use";
}

INSTANTIATE_TEST_SUITE_P(Answers, PasswordCplTest,
                         ::testing::Values(AnswerCase{"0", false}, AnswerCase{"1", true},
                                           AnswerCase{"0x10000", false},
                                           AnswerCase{"0x10001", true},
                                           AnswerCase{"0xFFFFFFFF", true}));

TEST(PasswordCplOwnerTest, ThePromptIsOwnedByTheGivenWindow) {
  const HMODULE cpl = LoadLibraryA("password.cpl");
  ASSERT_NE(cpl, nullptr);
  SetEnvironmentVariableA("TARVEX_FAKE_PASSWORD_ANSWER", "1");
  EXPECT_TRUE(VerifyScreenSavePwd(0x5678));
  using LastOwner = HWND(WINAPI*)();
  const auto lastOwner =
      reinterpret_cast<LastOwner>(reinterpret_cast<void*>(GetProcAddress(cpl, "FakeLastOwner")));
  ASSERT_NE(lastOwner, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(lastOwner()), 0x5678U);
  FreeLibrary(cpl);
}

}  // namespace
}  // namespace tarvex::platform::win32
