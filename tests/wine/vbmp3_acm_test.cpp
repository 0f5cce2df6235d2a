// VBMP3.dll on Windows: MP3 files decode through the system's ACM codec into
// the WAV sink, at the right pitch and length; files that are no MP3 fail.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "music/vbmp3_binding.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/wav_reader.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::testing {
namespace {

const std::string kAudio = TARVEX_TEST_AUDIO_DIR;

struct ToneCase {
  const char* file;
  std::int32_t sampleRate;
  std::int32_t channels;
  std::int32_t bitRate;
  double seconds;
  double frequency;
};

void PrintTo(const ToneCase& c, std::ostream* os) {
  *os << c.file;
}

class AcmToneTest : public ::testing::TestWithParam<ToneCase> {
 protected:
  void TearDown() override {
    vbmp3_stop();
    vbmp3x_setWavOutput(nullptr, 0);
  }
  TempDir dir_;
};

TEST_P(AcmToneTest, OpensWithTheStreamsFormat) {
  const ToneCase& c = GetParam();
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((kAudio + c.file).c_str(), &info), 1) << vbmp3_getLastErrorNo();
  EXPECT_EQ(info.sampleRate, c.sampleRate);
  EXPECT_EQ(info.channels, c.channels);
  EXPECT_EQ(info.bitRate, c.bitRate);
  EXPECT_NEAR(info.playTimeMs, c.seconds * 1000, 100);
}

TEST_P(AcmToneTest, DecodesTheToneAtItsPitchAndLength) {
  const ToneCase& c = GetParam();
  const std::string wav = (dir_.path() / "out.wav").string();
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((kAudio + c.file).c_str(), &info), 1) << vbmp3_getLastErrorNo();
  ASSERT_EQ(vbmp3x_setWavOutput(wav.c_str(), 0), 1);
  ASSERT_EQ(vbmp3_play(), 1);
  ASSERT_EQ(vbmp3x_waitUntilDone(20000), 1);
  std::int32_t state = -1;
  vbmp3_getState(&state);
  EXPECT_EQ(state, VBMP3_STATE_FINISHED) << vbmp3_getLastErrorNo();

  const WavSound sound = ReadWav(wav);
  EXPECT_EQ(sound.sampleRate, c.sampleRate);
  EXPECT_EQ(sound.channels, c.channels);
  // The encoder adds up to two frames of delay and padding.
  EXPECT_GE(sound.Seconds(), c.seconds - 0.01);
  EXPECT_LE(sound.Seconds(), c.seconds + 0.15);
  EXPECT_NEAR(sound.Frequency(), c.frequency, c.frequency * 0.02);
  EXPECT_GT(sound.Peak(), 8000);
  EXPECT_EQ(vbmp3x_getFramesWritten(),
            static_cast<std::int64_t>(sound.samples.size()) / sound.channels);
}

INSTANTIATE_TEST_SUITE_P(Tones, AcmToneTest,
                         ::testing::Values(ToneCase{"mono-440.mp3", 44100, 1, 128, 2.0, 440},
                                           ToneCase{"stereo-880.mp3", 48000, 2, 192, 1.5, 880},
                                           ToneCase{"mpeg2-330.mp3", 22050, 1, 64, 1.0, 330},
                                           ToneCase{"id3v2-440.mp3", 44100, 1, 128, 1.0, 440},
                                           ToneCase{"id3v1-440.mp3", 44100, 1, 128, 1.0, 440}),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.')).replace(name.find('-'), 1, "_");
                         });

TEST(AcmTagTest, Id3v1TitleAndArtistReachTheRecord) {
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((kAudio + "id3v1-440.mp3").c_str(), &info), 1);
  EXPECT_STREQ(info.title, "Song");
  EXPECT_STREQ(info.artist, "Band");
}

struct RefusedCase {
  const char* file;
  std::int32_t error;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
  *os << c.file;
}

class AcmRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(AcmRefusedTest, FailsWithItsErrorAndLeavesTheRecordZero) {
  VBMP3_OPEN_INFO info{};
  info.sampleRate = 7;
  EXPECT_EQ(vbmp3_open((kAudio + GetParam().file).c_str(), &info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), GetParam().error);
  EXPECT_EQ(info.sampleRate, 0);
  EXPECT_EQ(vbmp3_play(), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_FILE_OPEN);
}

INSTANTIATE_TEST_SUITE_P(Files, AcmRefusedTest,
                         ::testing::Values(RefusedCase{"wave.mp3", VBMP3_ERR_NOT_MP3},
                                           RefusedCase{"text.mp3", VBMP3_ERR_NOT_MP3},
                                           RefusedCase{"empty.mp3", VBMP3_ERR_NOT_MP3},
                                           RefusedCase{"missing.mp3", VBMP3_ERR_FILE_NOT_FOUND},
                                           RefusedCase{"no-dir/a.mp3", VBMP3_ERR_FILE_NOT_FOUND},
                                           RefusedCase{"folder.mp3", VBMP3_ERR_NOT_A_FILE}));

TEST(AcmStreamTest, AHoleInTheStreamEndsPlaybackAsBroken) {
  const TempDir dir;
  const std::string wav = (dir.path() / "out.wav").string();
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((kAudio + "broken.mp3").c_str(), &info), 1);
  vbmp3x_setWavOutput(wav.c_str(), 0);
  ASSERT_EQ(vbmp3_play(), 1);
  ASSERT_EQ(vbmp3x_waitUntilDone(20000), 1);
  std::int32_t state = -1;
  vbmp3_getState(&state);
  EXPECT_EQ(state, VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_STREAM_BROKEN);
  // What came before the hole was played.
  EXPECT_GT(ReadWav(wav).Seconds(), 0.5);
  vbmp3x_setWavOutput(nullptr, 0);
}

TEST(AcmStreamTest, StopEndsARealTimePlaybackAtOnce) {
  const TempDir dir;
  const std::string wav = (dir.path() / "out.wav").string();
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((kAudio + "mono-440.mp3").c_str(), &info), 1);
  vbmp3x_setWavOutput(wav.c_str(), 1);
  ASSERT_EQ(vbmp3_play(), 1);
  EXPECT_EQ(vbmp3x_waitUntilDone(300), 0);  // two seconds of sound still play
  ASSERT_EQ(vbmp3_stop(), 1);
  std::int32_t state = -1;
  vbmp3_getState(&state);
  EXPECT_EQ(state, VBMP3_STATE_STOPPED);
  EXPECT_LT(ReadWav(wav).Seconds(), 1.5);
  vbmp3x_setWavOutput(nullptr, 0);
}

// The program's own binding: VBMP3.dll from the program directory, and a file
// name in Japanese handed over in the ANSI code page.
TEST(AcmBindingTest, TheProgramOpensAJapaneseFileNameThroughTheLibrary) {
  music::SetLibraryDirectory(std::string(TARVEX_PROGRAM_DIR) + "/");
  music::vbmp3_init();
  music::Mp3OpenInfo info{};
  EXPECT_NE(music::vbmp3_open(kAudio + "曲.mp3", info), 0) << music::vbmp3_getLastErrorNo();
  music::vbmp3_stop();
  music::vbmp3_encodeStop();
  EXPECT_EQ(music::getState(), 0);
}

}  // namespace
}  // namespace tarvex::testing
