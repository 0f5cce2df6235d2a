#include "music/music_start.h"

#include <gtest/gtest.h>

#include <string>

#include "music/vbmp3_binding.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::music {
namespace {

using testing::FakeDesktop;
using testing::FakeLibrary;
using testing::TempDir;

constexpr const char* kPrologue = "init getState(0) getEncodeState(0,0) getVolume";

class MusicStartTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR); }

  std::string MakeFile(const std::string& name) const { return temp_.Write(name, "not music"); }

  FakeLibrary fake_{FAKE_VBMP3_COMPLETE_DIR};
  FakeDesktop desktop_;
  TempDir temp_;
};

TEST_F(MusicStartTest, NoFileMeansNoCallAfterTheVolumeAndNoMessage) {
  for (const std::string& name : {std::string(), temp_.File("missing.mp3"), temp_.str()}) {
    fake_.Reset();
    MusicStart(desktop_, name);
    EXPECT_EQ(fake_.Calls(), kPrologue) << name;
  }
  EXPECT_TRUE(desktop_.calls.empty());
}

TEST_F(MusicStartTest, ExistingFileIsStoppedOpenedPolledAndPlayed) {
  const std::string path = MakeFile("song.mp3");
  fake_.Reset(1);
  MusicStart(desktop_, path);
  EXPECT_EQ(fake_.Calls(), std::string(kPrologue) + " stop open(" + path +
                               ",zeroed) getState(0) getEncodeState(0,0) play");
  EXPECT_TRUE(desktop_.calls.empty());
}

TEST_F(MusicStartTest, OpenFailureShowsTheLibrarysErrorNumber) {
  const std::string path = MakeFile("broken.mp3");
  for (const int number : {3, -12, 0}) {
    fake_.Reset(0, number);
    desktop_.calls.clear();
    MusicStart(desktop_, path);
    EXPECT_EQ(fake_.Calls(),
              std::string(kPrologue) + " stop open(" + path + ",zeroed) getLastErrorNo");
    ASSERT_EQ(desktop_.calls.size(), 1u);
    EXPECT_EQ(desktop_.calls[0],
              "MessageBox(ErrNo : " + std::to_string(number) + " Open Error|tarvex)");
  }
}

TEST_F(MusicStartTest, ExistenceUsesTheStoredNameAndOpenTheTrimmedOne) {
  const std::string padded = MakeFile(" padded.mp3 ");
  const std::string trimmed = padded.substr(0, padded.size() - 1);
  const std::string played = std::string(kPrologue) + " stop open(" + trimmed +
                             ",zeroed) getState(0) getEncodeState(0,0) play";
  fake_.Reset(1);
  MusicStart(desktop_, padded + "  ");
#ifdef _WIN32
  // Windows drops trailing blanks from file names: the stored name names the
  // file, and the trimmed one is opened.
  EXPECT_EQ(fake_.Calls(), played);
#else
  EXPECT_EQ(fake_.Calls(), kPrologue) << "the stored name with blanks names no file";
#endif

  fake_.Reset(1);
  MusicStart(desktop_, padded);
  EXPECT_EQ(fake_.Calls(), played);
}

TEST_F(MusicStartTest, HiddenFilesDoNotCount) {
  const std::string hidden = MakeFile(".hidden.mp3");
  fake_.Reset();
  MusicStart(desktop_, hidden);
  EXPECT_EQ(fake_.Calls(), kPrologue);
}

// No stand-in is loaded here: Windows would hand a loaded library of the same
// name to the system's search.
TEST(MusicStartWithoutLibraryTest, RunsSilently) {
  const TempDir temp;
  const std::string path = temp.Write("song.mp3", "not music");
  SetLibraryDirectory(temp.File("nowhere/"));
  FakeDesktop desktop;
  EXPECT_NO_THROW(MusicStart(desktop, path));
  EXPECT_TRUE(desktop.calls.empty());
}

}  // namespace
}  // namespace tarvex::music
