// Playback on the library's own thread, heard through the WAV file sink.

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "tests/unit/vbmp3/audio_files.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3::test {
namespace {
namespace fs = std::filesystem;

constexpr int32_t kGenerousMs = 10000;

int32_t State() {
  int32_t state = -1;
  EXPECT_EQ(vbmp3_getState(&state), 1);
  return state;
}

std::size_t ThreadCount() {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

// Waits (on a generous scale) until the output has been given `frames`.
bool WaitForFrames(int64_t frames) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
  while (vbmp3x_getFramesWritten() < frames) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

class PlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vbmp3_init();
    wav_ = dir_.path() / "out.wav";
  }
  void TearDown() override {
    vbmp3_stop();
    vbmp3x_setWavOutput(nullptr, 0);
    vbmp3x_setOutputDriver(nullptr);
  }

  static void Open(const fs::path& file) {
    VBMP3_OPEN_INFO info{};
    ASSERT_NE(vbmp3_open(file.c_str(), &info), 0) << vbmp3_getLastErrorNo();
  }

  // Plays the opened file into the WAV sink to its end.
  Wav PlayToEnd() {
    vbmp3x_setWavOutput(wav_.c_str(), 0);
    EXPECT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
    EXPECT_EQ(State(), VBMP3_STATE_FINISHED);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NONE);
    return ReadWav(wav_);
  }

  TempDir dir_;
  fs::path wav_;
};

class ToneTest : public PlaybackTest, public ::testing::WithParamInterface<Tone> {};

TEST_P(ToneTest, PlaysTheToneAtItsPitchAndLength) {
  const Tone& tone = GetParam();
  Open(MakeToneMp3(dir_, "tone.mp3", tone));
  const Wav wav = PlayToEnd();
  EXPECT_EQ(wav.sampleRate, tone.sampleRate);
  EXPECT_EQ(wav.channels, tone.channels);
  // Without the info frame the encoder's delay and padding stay in.
  EXPECT_NEAR(wav.Seconds(), tone.seconds, tone.infoFrame ? 0.01 : 0.06);
  EXPECT_NEAR(PitchHz(wav), tone.frequencyHz, tone.frequencyHz * 0.005);
  EXPECT_EQ(vbmp3x_getFramesWritten(), static_cast<int64_t>(wav.Frames()));
}

INSTANTIATE_TEST_SUITE_P(Tones, ToneTest,
                         ::testing::Values(Tone{440, 2.0, 44100, 2, 128, true},
                                           Tone{1000, 1.0, 22050, 1, 64, true},
                                           Tone{220, 1.0, 48000, 2, 192, false},
                                           Tone{440, 1.0, 44100, 2, 0, true}));

TEST_F(PlaybackTest, PlayingAgainStartsFromTheBeginning) {
  Open(MakeToneMp3(dir_, "tone.mp3", Tone{440, 1.0}));
  const Wav first = PlayToEnd();
  const Wav second = PlayToEnd();
  EXPECT_EQ(first.samples, second.samples);
}

TEST_F(PlaybackTest, StopEndsThePlaybackAndTheSinkStopsGrowing) {
  Open(MakeToneMp3(dir_, "long.mp3", Tone{440, 5.0}));
  vbmp3x_setWavOutput(wav_.c_str(), 1);
  ASSERT_EQ(vbmp3_play(), 1);
  EXPECT_EQ(State(), VBMP3_STATE_PLAYING);
  ASSERT_TRUE(WaitForFrames(44100 / 4));
  ASSERT_EQ(vbmp3_stop(), 1);
  EXPECT_EQ(State(), VBMP3_STATE_STOPPED);
  const int64_t frames = vbmp3x_getFramesWritten();
  const auto size = fs::file_size(wav_);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(vbmp3x_getFramesWritten(), frames);
  EXPECT_EQ(fs::file_size(wav_), size);
  const Wav wav = ReadWav(wav_);
  EXPECT_EQ(static_cast<int64_t>(wav.Frames()), frames);
  EXPECT_LT(wav.Seconds(), 4.0);
}

TEST_F(PlaybackTest, OpenWhilePlayingStopsAndThenPlaysTheNewFile) {
  Open(MakeToneMp3(dir_, "low.mp3", Tone{440, 5.0}));
  vbmp3x_setWavOutput(wav_.c_str(), 1);
  ASSERT_EQ(vbmp3_play(), 1);
  ASSERT_TRUE(WaitForFrames(4410));
  Open(MakeToneMp3(dir_, "high.mp3", Tone{1000, 1.0}));
  EXPECT_EQ(State(), VBMP3_STATE_STOPPED);
  EXPECT_LT(ReadWav(wav_).Seconds(), 4.0);
  EXPECT_NEAR(PitchHz(PlayToEnd()), 1000, 10);
}

TEST_F(PlaybackTest, RepeatedCyclesLeaveNoThreadBehind) {
  const fs::path file = MakeToneMp3(dir_, "tone.mp3", Tone{440, 3.0});
  const std::size_t threadsBefore = ThreadCount();
  vbmp3x_setWavOutput(wav_.c_str(), 1);
  for (int cycle = 0; cycle < 20; ++cycle) {
    Open(file);
    ASSERT_EQ(vbmp3_play(), 1) << "cycle " << cycle;
    if (cycle % 2 == 0) {
      ASSERT_TRUE(WaitForFrames(1));
    }
    ASSERT_EQ(vbmp3_stop(), 1);
    ASSERT_EQ(State(), VBMP3_STATE_STOPPED) << "cycle " << cycle;
  }
  EXPECT_EQ(ThreadCount(), threadsBefore);
  EXPECT_LT(ReadWav(wav_).Seconds(), 3.0);
}

TEST_F(PlaybackTest, PlayWithoutAnOpenFileFailsWithItsNumber) {
  VBMP3_OPEN_INFO info{};
  ASSERT_EQ(vbmp3_open((dir_.path() / "absent.mp3").c_str(), &info), 0);
  EXPECT_EQ(vbmp3_play(), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_FILE_OPEN);
  EXPECT_EQ(State(), VBMP3_STATE_STOPPED);
}

TEST_F(PlaybackTest, StopWhenNothingPlaysIsHarmless) {
  EXPECT_EQ(vbmp3_stop(), 1);
  EXPECT_EQ(vbmp3_stop(), 1);
  EXPECT_EQ(State(), VBMP3_STATE_STOPPED);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NONE);
}

TEST_F(PlaybackTest, AMissingSoundDeviceIsReportedThroughTheState) {
  Open(MakeToneMp3(dir_, "tone.mp3", Tone{440, 1.0}));
  vbmp3x_setOutputDriver("no-such-driver");
  EXPECT_EQ(vbmp3_play(), 1);
  EXPECT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
  EXPECT_EQ(State(), VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_OUTPUT);
}

TEST_F(PlaybackTest, TheDefaultDeviceEitherPlaysOrReportsItsAbsence) {
  Open(MakeToneMp3(dir_, "tone.mp3", Tone{440, 0.5}));
  EXPECT_EQ(vbmp3_play(), 1);
  ASSERT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
  const int32_t state = State();
  if (state == VBMP3_STATE_ERROR) {
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_OUTPUT);
  } else {
    EXPECT_EQ(state, VBMP3_STATE_FINISHED);
  }
}

TEST_F(PlaybackTest, AWavFileThatCannotBeCreatedIsAnOutputFailure) {
  Open(MakeToneMp3(dir_, "tone.mp3", Tone{440, 0.5}));
  vbmp3x_setWavOutput((dir_.path() / "no-such-dir" / "out.wav").c_str(), 0);
  EXPECT_EQ(vbmp3_play(), 1);
  EXPECT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
  EXPECT_EQ(State(), VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_OUTPUT);
}

TEST_F(PlaybackTest, AStitchedStreamPlaysOnlyItsFirstPart) {
  const std::string first = ReadBytes(MakeToneMp3(dir_, "a.mp3", Tone{440, 1.0}));
  const std::string second =
      ReadBytes(MakeToneMp3(dir_, "b.mp3", Tone{1000, 1.0, 22050, 1, 64, true}));
  const fs::path stitched = dir_.path() / "stitched.mp3";
  WriteBytes(stitched, first + second);
  Open(stitched);
  const Wav wav = PlayToEnd();
  EXPECT_EQ(wav.sampleRate, 44100);
  EXPECT_NEAR(wav.Seconds(), 1.0, 0.03);
  EXPECT_NEAR(PitchHz(wav), 440, 5);
}

TEST_F(PlaybackTest, AStreamThatTurnsToJunkEndsWithItsNumber) {
  std::string bytes =
      ReadBytes(MakeToneMp3(dir_, "tone.mp3", Tone{440, 4.0, 44100, 2, 128, false}));
  const std::size_t half = bytes.size() / 2;
  for (std::size_t i = half; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7919U) >> 3);
  const fs::path broken = dir_.path() / "broken.mp3";
  WriteBytes(broken, bytes);
  Open(broken);
  vbmp3x_setWavOutput(wav_.c_str(), 0);
  ASSERT_EQ(vbmp3_play(), 1);
  ASSERT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
  EXPECT_EQ(State(), VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_STREAM_BROKEN);
  EXPECT_NEAR(ReadWav(wav_).Seconds(), 2.0, 0.1);
}

TEST_F(PlaybackTest, TheOtherQueriesReportFixedValues) {
  int32_t left = -1;
  int32_t right = -1;
  EXPECT_EQ(vbmp3_getVolume(&left, &right), 1);
  EXPECT_EQ(left, 100);
  EXPECT_EQ(right, 100);
  int32_t encodeState = -1;
  int32_t progress = -1;
  EXPECT_EQ(vbmp3_getEncodeState(&encodeState, &progress), 1);
  EXPECT_EQ(encodeState, VBMP3_ENCODE_NONE);
  EXPECT_EQ(progress, 0);
  EXPECT_EQ(vbmp3_encodeStop(), 1);
  EXPECT_EQ(vbmp3_getState(nullptr), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_ARGUMENT);
}

}  // namespace
}  // namespace tarvex::vbmp3::test
