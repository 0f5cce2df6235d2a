// The binding to the playback library: loading it from the program's folder,
// and the errors a missing library or function raises.

#include "music/vbmp3_binding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/runtime_error.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::music {
namespace {

// The error a call raises, or none.
template <class Call>
std::optional<runtime::RuntimeError> ErrorOf(Call call) {
  try {
    call();
  } catch (const runtime::RuntimeError& error) {
    return error;
  }
  return std::nullopt;
}

TEST(Vbmp3Binding, MissingLibraryRaisesError48NamingItInEveryCall) {
  SetLibraryDirectory(std::filesystem::temp_directory_path().string() + "/no-such-dir/");
  for (const auto& error : {ErrorOf([] { vbmp3_init(); }), ErrorOf([] { getState(); })}) {
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), runtime::kDllNotFound);
    EXPECT_EQ(error->subject(), testing::kFakeLibraryFile);
  }
}

TEST(Vbmp3Binding, CallsReachTheLibraryInTheProgramDirectory) {
  SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR);
  const testing::FakeLibrary fake(FAKE_VBMP3_COMPLETE_DIR);
  fake.Reset(1);
  Mp3OpenInfo info{};
  EXPECT_EQ(vbmp3_open("/music/歌.mp3", info), 1);
  EXPECT_EQ(getState(), 0);  // both states polled with zeroed arguments
  vbmp3_encodeStop();
#ifdef _WIN32
  const std::string song = "/music/\x89\xCC.mp3";  // names reach it in CP932
#else
  const std::string song = "/music/歌.mp3";
#endif
  EXPECT_EQ(fake.Calls(), "open(" + song + ",zeroed) getState(0) getEncodeState(0,0) encodeStop");
  fake.Reset(0x10000);
  EXPECT_EQ(vbmp3_open("a.mp3", info), 0);  // the low 16 bits
  fake.Reset(-1);
  EXPECT_EQ(vbmp3_open("a.mp3", info), -1);
}

TEST(Vbmp3Binding, MissingFunctionRaisesError453NamingIt) {
  SetLibraryDirectory(FAKE_VBMP3_PARTIAL_DIR);
  const testing::FakeLibrary fake(FAKE_VBMP3_PARTIAL_DIR);
  fake.Reset();
  vbmp3_stop();
  const auto error = ErrorOf([] { vbmp3_encodeStop(); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), runtime::kEntryPointNotFound);
  EXPECT_EQ(error->subject(), "vbmp3_encodeStop");
  EXPECT_EQ(fake.Calls(), "stop");
}

}  // namespace
}  // namespace tarvex::music
