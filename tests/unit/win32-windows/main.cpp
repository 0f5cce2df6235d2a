// The window tests' entry point. After the last test the process ends at
// once with the tests' result: under Wine, a process that created windows
// now and then hangs in the window system's clean-up at exit, long after
// every test has reported.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
  return result;
}
