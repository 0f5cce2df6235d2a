// Which files the library refuses, and their error numbers.

#include <sys/stat.h>

#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "tests/support/case_name.h"
#include "tests/unit/vbmp3/audio_files.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3::test {
namespace {

class OpenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir();
    tone_ = MakeToneMp3(*dir_, "tone.mp3", Tone{});
  }
  static void TearDownTestSuite() { delete dir_; }
  void SetUp() override { vbmp3_init(); }
  void TearDown() override { vbmp3_stop(); }

  // Opens `path` into a record that starts out as garbage.
  static int32_t Open(const std::string& path, VBMP3_OPEN_INFO& info) {
    std::memset(&info, 0xAB, sizeof info);
    return vbmp3_open(path.c_str(), &info);
  }

  static inline testing::TempDir* dir_ = nullptr;
  static inline std::string tone_;
};

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFFU);
  return bytes;
}

using Dir = const testing::TempDir&;
struct RefusedFile {
  const char* name;
  std::string (*make)(Dir dir);  // beside tone.mp3
  int32_t error;
};
TARVEX_PRINT_CASE_AS_NAME(RefusedFile)

std::string Fifo(Dir d) {
  ::mkfifo(d.File("pipe.mp3").c_str(), 0600);
  return d.File("pipe.mp3");
}

// Seed 1217 holds a run of frame-like headers with junk between them.
const RefusedFile kRefusedFiles[] = {
    {"EmptyFile", [](Dir d) { return d.Write("empty.mp3", ""); }, VBMP3_ERR_NOT_MP3},
    {"RandomBytesWithFrameLikeHeaders",
     [](Dir d) { return d.Write("r.mp3", RandomBytes(65536, 1217)); }, VBMP3_ERR_NOT_MP3},
    {"TruncatedToHundredBytes",
     [](Dir d) { return d.Write("cut.mp3", d.Read("tone.mp3").substr(0, 100)); },
     VBMP3_ERR_NOT_MP3},
    {"TagWithoutAudio", [](Dir d) { return d.Write("tag.mp3", Id3v2Title(u"Only", 512)); },
     VBMP3_ERR_NOT_MP3},
    {"WavRenamed", [](Dir d) { return d.Write("wave.mp3", d.Read("tone.mp3.wav")); },
     VBMP3_ERR_NOT_MP3},
    {"JunkBeforeTheAudio",
     [](Dir d) { return d.Write("junk.mp3", RandomBytes(61440, 2) + d.Read("tone.mp3")); },
     VBMP3_ERR_NOT_MP3},
    {"Directory", [](Dir d) { return d.File("."); }, VBMP3_ERR_NOT_A_FILE},
    {"NamedPipeWithoutWriter", Fifo, VBMP3_ERR_NOT_A_FILE},
    {"MissingFile", [](Dir d) { return d.File("absent.mp3"); }, VBMP3_ERR_FILE_NOT_FOUND},
    {"PathThroughAFile", [](Dir d) { return d.File("tone.mp3/inner.mp3"); },
     VBMP3_ERR_FILE_NOT_FOUND},
};

class RefusedFileTest : public OpenTest, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedFileTest, OpenFailsWithItsErrorNumberAndAZeroRecord) {
  VBMP3_OPEN_INFO info;
  EXPECT_EQ(Open(GetParam().make(*dir_), info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), GetParam().error);
  const VBMP3_OPEN_INFO zero{};
  EXPECT_EQ(std::memcmp(&info, &zero, sizeof info), 0);
}
INSTANTIATE_TEST_SUITE_P(Files, RefusedFileTest, ::testing::ValuesIn(kRefusedFiles),
                         tarvex::testing::CaseName());

TEST_F(OpenTest, BadArgumentsAreRefusedWithTheirNumber) {
  static VBMP3_OPEN_INFO info{};
  for (int32_t (*call)() :
       {+[] { return vbmp3_open(nullptr, &info); },
        +[] { return vbmp3_open(tone_.c_str(), nullptr); }, +[] { return vbmp3_open("", &info); },
        +[] { return vbmp3_getState(nullptr); }}) {
    vbmp3_init();
    EXPECT_EQ(call(), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_ARGUMENT);
  }
}

TEST_F(OpenTest, AFailedOpenClosesTheFileOpenedBefore) {
  VBMP3_OPEN_INFO info;
  ASSERT_NE(Open(tone_, info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NONE);
  ASSERT_EQ(Open(dir_->File("absent.mp3"), info), 0);
  EXPECT_EQ(vbmp3_play(), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_FILE_OPEN);
}

}  // namespace
}  // namespace tarvex::vbmp3::test
