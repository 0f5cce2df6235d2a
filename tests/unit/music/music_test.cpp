// The binding to the playback library (the error a missing function raises;
// Main's tests meet a missing library) and the music start's calls through
// it, recorded by the stand-in library.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "music/music_start.h"
#include "music/vbmp3_binding.h"
#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::music {
namespace {

// The binding pointed at the stand-in in `dir`, its record cleared.
testing::FakeLibrary UseFake(const std::string& dir, std::int32_t openResult = 1,
                             std::int32_t error = 0) {
  SetLibraryDirectory(dir);
  testing::FakeLibrary fake(dir);
  fake.Reset(openResult, error);
  return fake;
}

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

TEST(Vbmp3Binding, MissingFunctionRaisesError453NamingIt) {
  const auto fake = UseFake(FAKE_VBMP3_PARTIAL_DIR);
  vbmp3_stop();
  const auto error = ErrorOf([] { vbmp3_encodeStop(); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), runtime::kEntryPointNotFound);
  EXPECT_EQ(error->subject(), "vbmp3_encodeStop");
  EXPECT_EQ(fake.Calls(), "stop");
}

// "$" in `stored` and `calls` stands for the test's directory.
struct StartCase {
  const char* name;
  const char* file;  // made in the directory; nullptr for none
  const char* stored;
  std::int32_t open_result, error;
  const char* calls;  // after init, the poll and the volume
  const char* message;
};
TARVEX_PRINT_CASE_AS_NAME(StartCase)

const StartCase kStarts[] = {
    {"MissingFileOpensNothing", nullptr, "$/missing.mp3", 1, 0, "", ""},
    {"FileIsStoppedOpenedPolledAndPlayed", "song.mp3", "$/song.mp3", 1, 0,
     " stop open($/song.mp3,zeroed) getState(0) getEncodeState(0,0) play", ""},
    {"OpenFailureShowsTheLibrarysErrorNumber", "song.mp3", "$/song.mp3", 0, -12,
     " stop open($/song.mp3,zeroed) getLastErrorNo", "MessageBox(ErrNo : -12 Open Error|tarvex)"},
    {"BlanksAroundTheNameAreTrimmedForTheOpen", " padded.mp3 ", "$/ padded.mp3 ", 1, 0,
     " stop open($/ padded.mp3,zeroed) getState(0) getEncodeState(0,0) play", ""},
};

std::string InDirectory(std::string text, const std::string& dir) {
  for (auto at = text.find('$'); at != std::string::npos; at = text.find('$', at + dir.size()))
    text.replace(at, 1, dir);
  return text;
}

class MusicStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(MusicStartTest, CallsTheLibraryInOrderAndReportsAFailedOpen) {
  const StartCase& c = GetParam();
  const testing::TempDir temp;
  if (c.file != nullptr) temp.Write(c.file, "not music");
  const auto fake = UseFake(FAKE_VBMP3_COMPLETE_DIR, c.open_result, c.error);
  testing::FakeDesktop desktop;
  MusicStart(desktop, InDirectory(c.stored, temp.str()));
  EXPECT_EQ(fake.Calls(),
            "init getState(0) getEncodeState(0,0) getVolume" + InDirectory(c.calls, temp.str()));
  EXPECT_EQ(desktop.calls,
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
}
INSTANTIATE_TEST_SUITE_P(Files, MusicStartTest, ::testing::ValuesIn(kStarts),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::music
