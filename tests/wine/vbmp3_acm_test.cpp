// VBMP3.dll on Windows: MP3 files decode through the system's ACM codec at
// the right pitch and length, others fail with their error numbers.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "music/vbmp3_binding.h"
#include "tests/support/temp_dir.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::testing {
namespace {

const std::string kAudio = TARVEX_TEST_AUDIO_DIR;

// The first channel of the 16-bit little-endian WAV file the library wrote
// (its header, the same on both systems, is the Linux tests' to check).
std::vector<std::int16_t> FirstChannel(const std::string& path, std::size_t channels) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  std::vector<std::int16_t> left(bytes.size() < 44 ? 0 : (bytes.size() - 44) / 2 / channels);
  for (std::size_t i = 0; i < left.size(); ++i)
    std::memcpy(&left[i], bytes.data() + 44 + 2 * channels * i, 2);
  return left;
}

// From the rising zero crossings in the middle half, away from the encoder's
// fade-in and padding.
double Frequency(const std::vector<std::int16_t>& left, double rate) {
  int crossings = 0;
  for (std::size_t i = left.size() / 4 + 1; i < left.size() * 3 / 4; ++i)
    crossings += left[i - 1] < 0 && left[i] >= 0;
  return crossings * rate / (static_cast<double>(left.size()) / 2);
}

struct FileCase {
  const char* file;
  std::int32_t sampleRate, channels, bitRate;
  double seconds, frequency;
  const char* title;  // and the artist "Band" when there is one
  std::int32_t error;
};

class AcmFileTest : public ::testing::TestWithParam<FileCase> {
 protected:
  void TearDown() override {
    vbmp3_stop();
    vbmp3x_setWavOutput(nullptr, 0);
  }

  std::int32_t Play(const std::string& file) {
    EXPECT_EQ(vbmp3_open((kAudio + file).c_str(), &info_), 1) << vbmp3_getLastErrorNo();
    EXPECT_EQ(vbmp3x_setWavOutput(wav_.c_str(), 0), 1);
    EXPECT_EQ(vbmp3_play(), 1);
    vbmp3x_waitUntilDone(20000);
    std::int32_t state = -1;
    vbmp3_getState(&state);
    return state;
  }

  TempDir dir_;
  std::string wav_ = (dir_.path() / "out.wav").string();
  VBMP3_OPEN_INFO info_{};
};

TEST_P(AcmFileTest, DecodesTheToneAtItsPitchAndLengthOrFailsWithItsError) {
  const FileCase& c = GetParam();
  if (c.error != VBMP3_ERR_NONE) {
    EXPECT_EQ(vbmp3_open((kAudio + c.file).c_str(), &info_), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), c.error);
    return;
  }
  EXPECT_EQ(Play(c.file), VBMP3_STATE_FINISHED) << vbmp3_getLastErrorNo();
  EXPECT_EQ(std::tuple(info_.sampleRate, info_.channels, info_.bitRate),
            std::tuple(c.sampleRate, c.channels, c.bitRate));
  EXPECT_NEAR(info_.playTimeMs, c.seconds * 1000, 100);
  EXPECT_STREQ(info_.title, c.title);
  EXPECT_STREQ(info_.artist, c.title[0] == '\0' ? "" : "Band");
  const auto left = FirstChannel(wav_, static_cast<std::size_t>(c.channels));
  // The encoder adds up to two frames of delay and padding.
  EXPECT_GE(static_cast<double>(left.size()) / c.sampleRate, c.seconds - 0.01);
  EXPECT_LE(static_cast<double>(left.size()) / c.sampleRate, c.seconds + 0.15);
  EXPECT_NEAR(Frequency(left, c.sampleRate), c.frequency, c.frequency * 0.02);
}

const FileCase kFiles[] = {
    {"mono-440.mp3", 44100, 1, 128, 2.0, 440, "", 0},
    {"stereo-880.mp3", 48000, 2, 192, 1.5, 880, "", 0},
    {"mpeg2-330.mp3", 22050, 1, 64, 1.0, 330, "", 0},
    {"id3v1-440.mp3", 44100, 1, 128, 1.0, 440, "Song", 0},
    {"wave.mp3", 0, 0, 0, 0, 0, "", VBMP3_ERR_NOT_MP3},
    {"missing.mp3", 0, 0, 0, 0, 0, "", VBMP3_ERR_FILE_NOT_FOUND},
    {"folder.mp3", 0, 0, 0, 0, 0, "", VBMP3_ERR_NOT_A_FILE},
};
INSTANTIATE_TEST_SUITE_P(Files, AcmFileTest, ::testing::ValuesIn(kFiles));

// The program's own binding: VBMP3.dll from the program directory, every
// function the program calls found in it (a missing one raises error 453),
// and a file name in Japanese handed over in the ANSI code page.
TEST(AcmBindingTest, TheProgramOpensAJapaneseFileNameThroughTheLibrary) {
  music::SetLibraryDirectory(std::string(TARVEX_PROGRAM_DIR) + "/");
  music::vbmp3_init();
  music::Mp3OpenInfo info{};
  EXPECT_NE(music::vbmp3_open(kAudio + "曲.mp3", info), 0) << music::vbmp3_getLastErrorNo();
  std::int32_t left = 0, right = 0;
  music::vbmp3_getVolume(left, right);
  music::vbmp3_stop();
  music::vbmp3_encodeStop();
  EXPECT_EQ(music::getState(), 0);
}

}  // namespace
}  // namespace tarvex::testing
