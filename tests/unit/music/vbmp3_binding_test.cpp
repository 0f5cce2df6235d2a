#include "music/vbmp3_binding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/runtime_error.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::music {
namespace {

using testing::FakeLibrary;
using testing::kFakeLibraryFile;

// File names reach the library in the system's encoding.
#ifdef _WIN32
constexpr const char* kSongAsTheLibrarySeesIt = "/music/\x89\xCC.mp3";  // CP932
#else
constexpr const char* kSongAsTheLibrarySeesIt = "/music/歌.mp3";
#endif

int ErrorNumberOf(void (*call)()) {
  try {
    call();
  } catch (const runtime::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(Vbmp3Binding, MissingLibraryRaisesError48InEveryCall) {
  SetLibraryDirectory(std::filesystem::temp_directory_path().string() + "/no-such-dir/");
  EXPECT_EQ(ErrorNumberOf([] { vbmp3_init(); }), runtime::kDllNotFound);
  EXPECT_EQ(ErrorNumberOf([] { vbmp3_stop(); }), runtime::kDllNotFound);
  EXPECT_EQ(ErrorNumberOf([] { getState(); }), runtime::kDllNotFound);
  try {
    vbmp3_encodeStop();
    FAIL() << "no error raised";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.subject(), kFakeLibraryFile);
  }
}

TEST(Vbmp3Binding, CallsReachTheLibraryInTheProgramDirectory) {
  SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR);
  FakeLibrary fake(FAKE_VBMP3_COMPLETE_DIR);
  ASSERT_TRUE(fake.loaded());
  fake.Reset(1);
  Mp3OpenInfo info{};
  vbmp3_init();
  EXPECT_EQ(vbmp3_open("/music/歌.mp3", info), 1);
  vbmp3_play();
  vbmp3_stop();
  vbmp3_encodeStop();
  EXPECT_EQ(fake.Calls(),
            std::string("init open(") + kSongAsTheLibrarySeesIt + ",zeroed) play stop encodeStop");
}

TEST(Vbmp3Binding, GetStatePollsBothStatesWithZeroedArgumentsAndReturnsZero) {
  SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR);
  FakeLibrary fake(FAKE_VBMP3_COMPLETE_DIR);
  fake.Reset();
  EXPECT_EQ(getState(), 0);
  EXPECT_EQ(fake.Calls(), "getState(0) getEncodeState(0,0)");
}

TEST(Vbmp3Binding, OpenResultIsTheLow16Bits) {
  SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR);
  FakeLibrary fake(FAKE_VBMP3_COMPLETE_DIR);
  Mp3OpenInfo info{};
  fake.Reset(0x10000);
  EXPECT_EQ(vbmp3_open("a.mp3", info), 0);
  fake.Reset(-1);
  EXPECT_EQ(vbmp3_open("a.mp3", info), -1);
}

TEST(Vbmp3Binding, MissingFunctionRaisesError453NamingIt) {
  SetLibraryDirectory(FAKE_VBMP3_PARTIAL_DIR);
  FakeLibrary fake(FAKE_VBMP3_PARTIAL_DIR);
  fake.Reset();
  vbmp3_stop();
  try {
    vbmp3_encodeStop();
    FAIL() << "no error raised";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kEntryPointNotFound);
    EXPECT_EQ(error.subject(), "vbmp3_encodeStop");
  }
  EXPECT_EQ(fake.Calls(), "stop");
}

}  // namespace
}  // namespace tarvex::music
