// Libraries loaded by name with the system's loader.

#include <gtest/gtest.h>

#include "platform/dynamic_library.h"

namespace tarvex::platform {
namespace {

TEST(Win32DynamicLibraryTest, FindsTheFunctionsOfASystemLibrary) {
  const auto library = OpenDynamicLibrary("kernel32.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_NE(library->Symbol("GetACP"), nullptr);
  EXPECT_EQ(library->Symbol("NoSuchFunction"), nullptr);
}

TEST(Win32DynamicLibraryTest, OpensThePlaybackLibraryByItsFullPath) {
  const auto library = OpenDynamicLibrary(std::string(TARVEX_PROGRAM_DIR) + "/VBMP3.dll");
  ASSERT_NE(library, nullptr);
  for (const char* name :
       {"vbmp3_init", "vbmp3_open", "vbmp3_play", "vbmp3_stop", "vbmp3_getState",
        "vbmp3_getEncodeState", "vbmp3_getVolume", "vbmp3_getLastErrorNo", "vbmp3_encodeStop"}) {
    EXPECT_NE(library->Symbol(name), nullptr) << name;
  }
}

TEST(Win32DynamicLibraryTest, AMissingOrUnnamableLibraryIsNull) {
  EXPECT_EQ(OpenDynamicLibrary("tarvex-no-such-library.dll"), nullptr);
  EXPECT_EQ(OpenDynamicLibrary(""), nullptr);
  EXPECT_EQ(OpenDynamicLibrary("caf\xC3\xA9.dll"), nullptr);
}

}  // namespace
}  // namespace tarvex::platform
