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
struct NotMp3 {
  const char* name;
  std::string (*bytes)(Dir dir);  // beside tone.mp3
};
TARVEX_PRINT_CASE_AS_NAME(NotMp3)

// Seed 1217 holds a run of frame-like headers with junk between them.
const NotMp3 kNotMp3[] = {
    {"EmptyFile", [](Dir) { return std::string(); }},
    {"RandomBytesWithFrameLikeHeaders", [](Dir) { return RandomBytes(65536, 1217); }},
    {"TruncatedToHundredBytes", [](Dir d) { return d.Read("tone.mp3").substr(0, 100); }},
    {"TagWithoutAudio", [](Dir) { return Id3v2Title(u"Only", 512); }},
    {"WavRenamed", [](Dir d) { return d.Read("tone.mp3.wav"); }},
    {"JunkBeforeTheAudio", [](Dir d) { return RandomBytes(61440, 2) + d.Read("tone.mp3"); }},
};

void ExpectRefused(int32_t opened, const VBMP3_OPEN_INFO& info, int32_t error) {
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), error);
  const VBMP3_OPEN_INFO zero{};
  EXPECT_EQ(std::memcmp(&info, &zero, sizeof info), 0) << "the record is zeroed";
}

class NotMp3Test : public OpenTest, public ::testing::WithParamInterface<NotMp3> {};

TEST_P(NotMp3Test, OpenFailsWithItsErrorNumberAndAZeroRecord) {
  VBMP3_OPEN_INFO info;
  const std::string file = std::string(GetParam().name) + ".mp3";
  ExpectRefused(Open(dir_->Write(file, GetParam().bytes(*dir_)), info), info, VBMP3_ERR_NOT_MP3);
}
INSTANTIATE_TEST_SUITE_P(Files, NotMp3Test, ::testing::ValuesIn(kNotMp3),
                         tarvex::testing::CaseName());

TEST_F(OpenTest, PathsToNoFileAreRefusedWithTheirNumber) {
  ::mkfifo(dir_->File("pipe.mp3").c_str(), 0600);  // no writer: opening it would block
  for (const auto& [name, error] : {std::pair{".", VBMP3_ERR_NOT_A_FILE},
                                    {"pipe.mp3", VBMP3_ERR_NOT_A_FILE},
                                    {"absent.mp3", VBMP3_ERR_FILE_NOT_FOUND},
                                    {"tone.mp3/inner.mp3", VBMP3_ERR_FILE_NOT_FOUND}}) {
    VBMP3_OPEN_INFO info;
    ExpectRefused(Open(dir_->File(name), info), info, error);
  }
}

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
