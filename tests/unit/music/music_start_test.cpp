// The music start: its calls into the playback library, in order.

#include "music/music_start.h"

#include <gtest/gtest.h>

#include <string>

#include "music/vbmp3_binding.h"
#include "tests/support/case_name.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::music {
namespace {

// "$" in `stored` and `calls` stands for the test's directory.
struct StartCase {
  const char* name;
  const char* file;  // made in the directory; nullptr for none
  const char* stored;
  std::int32_t open_result;
  std::int32_t error;
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
  for (auto at = text.find('$'); at != std::string::npos; at = text.find('$', at + dir.size())) {
    text.replace(at, 1, dir);
  }
  return text;
}

class MusicStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(MusicStartTest, CallsTheLibraryInOrderAndReportsAFailedOpen) {
  const StartCase& c = GetParam();
  const testing::TempDir temp;
  if (c.file != nullptr) temp.Write(c.file, "not music");
  SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR);
  const testing::FakeLibrary fake(FAKE_VBMP3_COMPLETE_DIR);
  fake.Reset(c.open_result, c.error);
  testing::FakeDesktop desktop;
  MusicStart(desktop, InDirectory(c.stored, temp.str()));
  EXPECT_EQ(fake.Calls(),
            "init getState(0) getEncodeState(0,0) getVolume" + InDirectory(c.calls, temp.str()));
  EXPECT_EQ(desktop.calls,
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
}
INSTANTIATE_TEST_SUITE_P(Files, MusicStartTest, ::testing::ValuesIn(kStarts),
                         tarvex::testing::CaseName());

// No stand-in is loaded here: Windows would hand a loaded library of the same
// name to the system's search.
TEST(MusicStartWithoutLibraryTest, RunsSilently) {
  const testing::TempDir temp;
  const std::string path = temp.Write("song.mp3", "not music");
  SetLibraryDirectory(temp.File("nowhere/"));
  testing::FakeDesktop desktop;
  EXPECT_NO_THROW(MusicStart(desktop, path));
  EXPECT_TRUE(desktop.calls.empty());
}

}  // namespace
}  // namespace tarvex::music
