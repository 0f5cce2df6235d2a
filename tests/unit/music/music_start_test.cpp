#include "music/music_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "music/vbmp3_binding.h"
#include "tests/support/fake_desktop.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::music {
namespace {

namespace fs = std::filesystem;
using testing::FakeDesktop;
using testing::FakeLibrary;

constexpr const char* kPrologue = "init getState(0) getEncodeState(0,0) getVolume";

class MusicStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLibraryDirectory(FAKE_VBMP3_COMPLETE_DIR);
    dir_ = fs::temp_directory_path() / ("music-start-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string MakeFile(const std::string& name) {
    const fs::path path = dir_ / name;
    std::ofstream(path) << "not really music";
    return path.string();
  }

  FakeLibrary fake_{FAKE_VBMP3_COMPLETE_DIR};
  FakeDesktop desktop_;
  fs::path dir_;
};

TEST_F(MusicStartTest, NoFileMeansNoCallAfterTheVolumeAndNoMessage) {
  for (const std::string& name : {std::string(), (dir_ / "missing.mp3").string(), dir_.string()}) {
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
  fake_.Reset(1);
  MusicStart(desktop_, padded + "  ");
  EXPECT_EQ(fake_.Calls(), kPrologue) << "the stored name with blanks names no file";

  fake_.Reset(1);
  MusicStart(desktop_, padded);
  const std::string trimmed = padded.substr(0, padded.size() - 1);
  EXPECT_EQ(fake_.Calls(), std::string(kPrologue) + " stop open(" + trimmed +
                               ",zeroed) getState(0) getEncodeState(0,0) play");
}

TEST_F(MusicStartTest, HiddenFilesDoNotCount) {
  const std::string hidden = MakeFile(".hidden.mp3");
  fake_.Reset();
  MusicStart(desktop_, hidden);
  EXPECT_EQ(fake_.Calls(), kPrologue);
}

TEST_F(MusicStartTest, MissingLibraryRunsSilently) {
  const std::string path = MakeFile("song.mp3");
  SetLibraryDirectory((dir_ / "nowhere/").string());
  // The stand-in stays loaded through `fake_`, but it has no soname, so
  // neither the new directory nor the system's search finds it.
  EXPECT_NO_THROW(MusicStart(desktop_, path));
  EXPECT_TRUE(desktop_.calls.empty());
}

}  // namespace
}  // namespace tarvex::music
